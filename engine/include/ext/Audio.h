#pragma once

#include <string>
#include <vector>

namespace cocos2d {
namespace ext {

// Inspection of the audio engine's bookkeeping, for tests and tools.

// Ids currently known (playing or paused), ascending.
std::vector<int> activeAudioIds();
int activeAudioCount();
// "" for an unknown id.
std::string audioPath(int audioID);
bool isLooping(int audioID);
// True when the output is the silent sink (headless run or no audio device).
bool isAudioSilent();
// How many times a file has been decoded into the chunk cache since the engine started.
int audioDecodeCount();
// Finishes every non-looping sound on the silent sink at once, as if its time had run out.
void finishSilentSounds();

} // namespace ext
} // namespace cocos2d
