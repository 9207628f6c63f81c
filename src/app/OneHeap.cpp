#include "app/OneHeap.h"

#include <cstdlib> // says whether the C library is glibc

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace parvo {

void UseOneHeap()
{
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 1);
#endif
}

} // namespace parvo
