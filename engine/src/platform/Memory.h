#pragma once

// How the process's memory allocator is set up (posix/ and win32/ hold one implementation each).

namespace cocos2d {
namespace platform {

// Large blocks (pictures, frames) go straight back to the system when freed, so letting go of a
// picture lowers the memory the process holds instead of leaving a hole in its heap. Called once
// when the Director starts; harmless to call again.
void returnLargeBlocksToSystem();

} // namespace platform
} // namespace cocos2d
