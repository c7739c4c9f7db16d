#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ext/AudioStream.h"

namespace cocos2d {
namespace audio {

// A short sound (an effect) decoded whole into the output's format.
struct Sound {
    std::vector<int16_t> samples; // interleaved channels
    int channels = 2;
    int64_t frames() const { return static_cast<int64_t>(samples.size()) / channels; }
};
// Shared by the cache and the voices playing it, so it is freed after its last play ends.
using SoundPtr = std::shared_ptr<const Sound>;

// Decodes an MP3 or WAV file whole, converted to `format`; nullptr with `error` filled when the
// file can't be read. Thread-safe.
SoundPtr decodeSound(const std::string& fullPath, const ext::AudioFormat& format, std::string& error);
// The length of an MP3 or WAV file in seconds, without keeping its samples. Thread-safe.
bool measureSound(const std::string& fullPath, float& seconds, std::string& error);
// A stream reading a decoded sound from its first frame; many may read one sound at once.
std::unique_ptr<ext::AudioStream> soundStream(SoundPtr sound);

} // namespace audio
} // namespace cocos2d
