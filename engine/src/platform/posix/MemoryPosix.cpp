#include "platform/Memory.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace cocos2d {
namespace platform {

void returnLargeBlocksToSystem() {
#if defined(__GLIBC__)
    // glibc raises its threshold for mapping blocks of their own each time such a block is freed
    // (up to 32 MiB), after which whole pictures come from the heap and stay there once freed.
    // A fixed threshold keeps every picture (a megabyte and more) in its own mapping, returned
    // when freed; text and smaller images, redone often, stay on the heap.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 2 * 1024 * 1024);
#endif
}

} // namespace platform
} // namespace cocos2d
