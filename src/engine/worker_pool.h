#pragma once
// A small pool of listing threads. The walk hands it one level of the tree at a
// time; the calling thread works along, so a pool of one thread is the plain
// sequential walk.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zrc {

class WorkerPool {
public:
    // threads counts the calling thread; 0 means one per core.
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int size() const { return static_cast<int>(workers_.size()) + 1; }

    // Calls task(index, worker) for every index in [0, count), worker in
    // [0, size()); returns when all calls have returned.
    void run(std::size_t count, const std::function<void(std::size_t, int)>& task);

private:
    void workerLoop(int worker);
    void takeTasks(int worker);

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(std::size_t, int)>* task_ = nullptr;
    std::size_t count_ = 0;
    std::size_t next_ = 0;          // guarded by mutex_
    std::size_t generation_ = 0;
    int busy_ = 0;
    bool quit_ = false;
};

} // namespace zrc
