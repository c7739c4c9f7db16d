#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "ext/AudioStream.h"

namespace cocos2d {
namespace audio {

// Plays any number of streams at once (music, two during a cross-fade, and effects read from
// memory) by adding them into the output buffer. The streams are read on the audio thread;
// every other call comes from the main thread. One lock guards the voices: the audio thread
// holds it while it mixes one buffer (well under a millisecond), the main thread while it
// changes a voice.
class StreamMixer {
public:
    explicit StreamMixer(const ext::AudioFormat& format);

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

    // Adds every audible voice into `out` (frames in the mixer's format). Audio thread only.
    void mixInto(int16_t* out, int frames);

private:
    struct Voice {
        std::unique_ptr<ext::AudioStream> stream;
        int volume = 128; // SDL's mixing scale, 0..SDL_MIX_MAXVOLUME
        bool loop = false;
        bool paused = false;
        bool finished = false;
        int64_t position = 0;
    };

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
