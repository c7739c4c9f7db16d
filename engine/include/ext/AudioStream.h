#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace cocos2d {
namespace ext {

// The output's sample format: 16-bit signed, interleaved channels.
struct AudioFormat {
    int rate = 44100;
    int channels = 2;
};

// A long sound (music) played a few milliseconds at a time instead of being decoded whole.
// Opened on the engine's loader thread; once playing it is read and sought on the audio thread
// only, so an implementation needs no locking of its own.
class AudioStream {
public:
    virtual ~AudioStream() = default;
    // Frames in one pass through the sound, in the output's format.
    virtual int64_t frameCount() const = 0;
    // Fills up to `frames` frames; fewer (down to 0) only at the end of the sound.
    virtual size_t read(int16_t* out, size_t frames) = 0;
    virtual bool seek(int64_t frame) = 0;
};

// Opens a file as a stream in the given format; nullptr with `error` filled when it can't.
using AudioStreamOpener = std::function<std::unique_ptr<AudioStream>(
    const std::string& fullPath, const AudioFormat& format, std::string& error)>;

// Tests replace the engine's decoders (e.g. with a deliberately slow one); nullptr restores them.
void setAudioStreamOpener(AudioStreamOpener opener);
// The engine's own opener: MP3 streamed as it plays; WAV, or an MP3 of another rate or channel
// count than the output's, decoded whole into memory and converted.
std::unique_ptr<AudioStream> openAudioStream(const std::string& fullPath, const AudioFormat& format,
                                             std::string& error);
// Called on the audio thread with each buffer the device is sent, after mixing (interleaved
// samples in the output's format): tests and benchmarks listen through it. An empty function
// removes it.
void setAudioOutputTap(std::function<void(const int16_t* samples, int frames)> tap);
// Blocks until the loader thread has finished every file it was given; their results reach the
// ids (and preload callbacks) on the next frame, on the main thread.
void waitForAudioLoads();
// Files at least this long are streamed; shorter ones are decoded whole and kept as effects.
constexpr long kStreamedFileBytes = 192 * 1024;

} // namespace ext
} // namespace cocos2d
