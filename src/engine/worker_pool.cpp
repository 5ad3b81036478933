#include "engine/worker_pool.h"

namespace zrc {

WorkerPool::WorkerPool(int threads)
{
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (int i = 1; i < threads; ++i)
        workers_.emplace_back([this, i] { workerLoop(i); });
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : workers_)
        t.join();
}

// Indices are handed out one at a time under the lock: a task is a whole
// directory listing (tens of microseconds at least), so the lock is cheap.
void WorkerPool::takeTasks(int worker)
{
    std::unique_lock lock(mutex_);
    const auto* task = task_;
    while (next_ < count_) {
        const std::size_t index = next_++;
        lock.unlock();
        (*task)(index, worker);
        lock.lock();
    }
}

void WorkerPool::workerLoop(int worker)
{
    std::size_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
            if (quit_)
                return;
            seen = generation_;
            ++busy_;
        }
        takeTasks(worker);
        {
            std::lock_guard lock(mutex_);
            --busy_;
        }
        done_.notify_all();
    }
}

void WorkerPool::run(std::size_t count, const std::function<void(std::size_t, int)>& task)
{
    if (workers_.empty() || count < 2) {
        for (std::size_t i = 0; i < count; ++i)
            task(i, 0);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        count_ = count;
        next_ = 0;
        ++generation_;
    }
    wake_.notify_all();
    takeTasks(0);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return busy_ == 0; });
    task_ = nullptr;
}

} // namespace zrc
