#include "platform/pamet.h"

#include <cstdlib>   // any C library header defines __GLIBC__ on the GNU C library
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

} // namespace zrc
