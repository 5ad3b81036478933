#include "platform/pamet.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>   // any C library header defines __GLIBC__ on the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zrc {

void vracejVelkeBloky()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

void jednaArena()
{
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 1);
#endif
}

void vratVolnouPamet()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

namespace {

std::byte* namapuj(std::size_t velikost)
{
    void* p = mmap(nullptr, velikost, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return static_cast<std::byte*>(p);
}

} // namespace

MapovanyBlok::MapovanyBlok(std::size_t velikost)
    : data_(namapuj(velikost), Odmapuj{velikost}), velikost_(velikost)
{
}

void MapovanyBlok::Odmapuj::operator()(std::byte* p) const
{
    // Fails only for an address or length that is not a mapping's, and this
    // one is the block's own.
    (void)munmap(p, velikost);
}

} // namespace zrc
