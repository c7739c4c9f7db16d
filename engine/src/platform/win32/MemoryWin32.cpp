#include "platform/Memory.h"

namespace cocos2d {
namespace platform {

// The Windows heap hands large blocks back to the system by itself.
void returnLargeBlocksToSystem() {}

} // namespace platform
} // namespace cocos2d
