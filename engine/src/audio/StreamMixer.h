#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "ext/AudioStream.h"

namespace cocos2d {
namespace audio {

// Plays any number of streams at once (two during a cross-fade) by mixing them into SDL_mixer's
// music slot, under the effects. The streams are read on the audio thread; every call here
// comes from the main thread. One lock guards the voices: the audio thread holds it while it
// decodes one buffer (well under a millisecond), the main thread while it changes a voice.
class StreamMixer {
public:
    // Takes over SDL_mixer's music hook; the mixer must be open.
    explicit StreamMixer(const ext::AudioFormat& format);
    ~StreamMixer();

    // A handle for the stream, now audible (or paused).
    int play(std::unique_ptr<ext::AudioStream> stream, bool loop, float volume, bool paused);
    void stop(int handle);
    void setVolume(int handle, float volume);
    void setLoop(int handle, bool loop);
    void setPaused(int handle, bool paused);
    bool seek(int handle, int64_t frame);
    // Frames played in the current pass; -1 for an unknown handle.
    int64_t position(int handle) const;
    // True once a stream that does not loop has played its last frame.
    bool finished(int handle) const;

private:
    struct Voice {
        std::unique_ptr<ext::AudioStream> stream;
        int volume = 128; // SDL_mixer's scale, 0..128
        bool loop = false;
        bool paused = false;
        bool finished = false;
        int64_t position = 0;
    };

    static void mixCallback(void* self, uint8_t* stream, int length);
    void mix(int16_t* out, int frames);
    void mixVoice(Voice& voice, int16_t* out, int frames);

    mutable std::mutex _mutex;
    ext::AudioFormat _format;
    std::map<int, Voice> _voices;
    int _nextHandle = 0;
    std::unique_ptr<int16_t[]> _scratch;
    int _scratchFrames = 0;
};

} // namespace audio
} // namespace cocos2d
