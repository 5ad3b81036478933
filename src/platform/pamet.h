#pragma once
// Giving freed heap memory back to the system.
//
// The C library keeps a heap per thread that allocates (an arena): memory a
// walk's threads free stays in their arenas, where the window's thread and a
// sort's thread cannot reuse it. After a run of 1 000 000 files per side some
// 40 MB freed by the walk stayed resident while the final sort of the lists
// took as much again from an arena of its own.

#include <cstddef>
#include <memory>

namespace zrc {

// Blocks of 256 KB and more are mapped on their own and unmapped when freed,
// whatever was freed before. The C library's default raises that limit to
// the largest block freed so far (up to 32 MB): after one directory of
// 200 000 files each listing thread kept 3-6 MB of freed scratch in its arena,
// which malloc_trim cannot return (it trims only the main arena's top); with
// the limit fixed a thread keeps 0.4 MB. Called once at the start of main().
void vracejVelkeBloky();

// All threads allocate from one arena: the walk's eight threads each left the
// free space of an arena of their own resident (the command line's peak on a
// flat tree of a million files 36 MiB, with one arena 33 MiB), while their
// small allocations come from the per-thread caches without the arena's lock
// (CPU time within 1 % either way on the three benchmark shapes). The window
// keeps an arena per thread: there the peak of the same run grew with one
// arena (62.2 against 60.8-61.6 MiB at 1 M per side). Called at the start of
// main(), before any thread starts.
void jednaArena();

// Returns the free pages of every arena to the system (a few milliseconds
// after a large run); a no-op where the C library has no such call.
void vratVolnouPamet();

// A block of memory mapped on its own, whatever its size: given back to the
// system when freed, where a block of the heap below the mmap threshold
// stays resident until everything above it is free too. Pages never written
// cost nothing. Throws std::bad_alloc when the system has no room, as new does.
class MapovanyBlok final {
public:
    explicit MapovanyBlok(std::size_t velikost);
    std::byte* data() const { return data_.get(); }
    std::size_t size() const { return velikost_; }

private:
    struct Odmapuj {
        std::size_t velikost;
        void operator()(std::byte* p) const;
    };
    std::unique_ptr<std::byte, Odmapuj> data_;
    std::size_t velikost_;
};

} // namespace zrc
