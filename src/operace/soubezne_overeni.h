#pragma once
// Verification by content on a few worker threads: pairs are handed in and
// compared at once, each thread with its own comparer and buffers; the
// result names them in the order they were handed in, exactly as OverObsah
// does one after the other. The command line checks the pairs that time and
// size call equal with it; the window's check, with its progress window and
// a pair at a time on its bar, uses OverObsah.
//
// Why threads: a small pair costs six system calls (open, pread and close of
// each side) and the time goes to the kernel's path walk and page cache, not
// to a disk, so two cores check it in about half the time; from a cold cache
// each thread waits on its own file's blocks.

#include "operace/overeni_obsahu.h"
#include "operace/shoda_obsahu.h"
#include "platform/syscalls.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zrc {

struct VolbySoubeznehoOvereni {
    std::string zaklad1{}, zaklad2{};   // base directories (bytes)
    // As many as the walk's listing threads is right: warm, the kernel's
    // time per call grows little with more threads than cores (10 000 small
    // pairs checked after a walk, 2 cores: 2 threads 98 ms, 8 threads 125 ms
    // of CPU); from a cold cache each waits on its own file's blocks, and the
    // same pairs took 1.6 s with 2 threads, 1.45 s with 4, 1.07 s with 8.
    int vlakna = 1;
    VolbyShody shoda{};                 // its sys must serve several threads at once
};

class SoubezneOvereni final {
public:
    explicit SoubezneOvereni(VolbySoubeznehoOvereni volby);
    ~SoubezneOvereni();
    SoubezneOvereni(const SoubezneOvereni&) = delete;
    SoubezneOvereni& operator=(const SoubezneOvereni&) = delete;

    // One more pair; from one thread at a time, before vysledek.
    void pridej(ParOvereni par);
    // Waits for every pair handed in; indices in the order of pridej. Once.
    [[nodiscard]] VysledekOvereni vysledek();

private:
    void pracuj();
    void ukonciVlakna();

    const VolbySoubeznehoOvereni volby_;
    platform::Fd adresar1_, adresar2_;   // the bases (otevriZakladOvereni)
    std::mutex zamek_;
    std::condition_variable prace_;
    std::deque<ParOvereni> pary_;           // a deque: references stay valid while it grows
    std::deque<VysledekShody> vysledky_;
    std::size_t dalsi_ = 0;
    bool konec_ = false;
    std::vector<std::thread> vlakna_;
};

} // namespace zrc
