#include "platform/pamet.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zrc {

void vratVolnouPamet()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace zrc
