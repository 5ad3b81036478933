#pragma once
// The examination of one pair's two listings (a stat per file entry) cut into
// ranges of entries, which the pair's thread and any idle thread of the walk
// take one by one. A pair of huge directories, or a chain of directories that
// keeps every other thread idle, is then examined on all cores: before, the
// walk of a flat tree of a million files ran on one core while a bare stat
// walk used both.

#include "engine/vypis_adresare.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <system_error>
#include <vector>

namespace zrc {

class DeleniVypisu final {
public:
    DeleniVypisu() = default;
    // Moved only while no thread works on it (a listing thread's scratch is
    // set up in a vector).
    DeleniVypisu(DeleniVypisu&& o) noexcept : useky_(std::move(o.useky_)), chyby_(std::move(o.chyby_)) {}
    DeleniVypisu& operator=(DeleniVypisu&& o) noexcept
    {
        useky_ = std::move(o.useky_);
        chyby_ = std::move(o.chyby_);
        dalsi_.store(0, std::memory_order_relaxed);
        return *this;
    }

    // Entries per range: 1 024 stats take some 0.5 ms with a warm cache, a
    // hundred times what handing a range to a waiting thread costs. A pair
    // with fewer entries on both sides together is not shared at all (an
    // ordinary directory holds some 20).
    static constexpr std::size_t zaznamuNaUsek = 1024;

    // Cuts the two listings of the pair (side 1, side 2; fd -1 where a side
    // is not listed) into ranges, when they are worth sharing and there is
    // someone to share them with; else nothing is prepared.
    void priprav(const int (&fd)[2], PracovniPametVypisu& pamet, bool jsouPomocnici);
    // Whether the ranges are prepared; the pair's thread examines the
    // listings alone otherwise.
    bool sdileno() const { return !useky_.empty(); }
    // Whether a range is still waiting to be taken.
    bool maPraci() const { return dalsi_.load(std::memory_order_relaxed) < useky_.size(); }
    // Examines ranges until none is left to take; ranges taken by others may
    // still be under way when it returns.
    void pracuj();
    // Once every range is done: the first reason an entry of the side could
    // not be examined, in the listing's order.
    std::error_code chyba(int strana) const;

private:
    struct Usek {
        int strana;
        std::uint32_t od, po;
    };
    int fd_[2] = {-1, -1};
    NeserazenyVypis* strany_ = nullptr;
    platform::Syscalls* sys_ = nullptr;
    std::vector<Usek> useky_;
    std::vector<std::error_code> chyby_;   // per range
    std::atomic<std::size_t> dalsi_{0};
};

} // namespace zrc
