#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "ext/AudioStream.h"

struct Mix_Chunk;

namespace cocos2d {
namespace audio {

// SDL_mixer behind a small interface: decoded chunks cached per full path, one channel per
// playing sound. Channels are handed out by the caller's bookkeeping, never reused until released.
class AudioMixer {
public:
    enum class Mode {
        // A real device: sounds are heard.
        PLAYING,
        // Headless: the mixer is opened on SDL's dummy driver only so files can be decoded (validated,
        // timed and counted); nothing is ever played.
        DECODE_ONLY,
    };

    ~AudioMixer();

    // False when no device (or, headless, not even the dummy driver) can be opened.
    bool open(Mode mode, std::string& error);
    void close();
    Mode mode() const { return _mode; }
    // The format sounds are mixed in (what streams must deliver).
    ext::AudioFormat format() const;

    // The decoded chunk, decoding on first use; nullptr (error filled) when the file can't be decoded.
    Mix_Chunk* chunk(const std::string& fullPath, std::string& error);
    // Seconds of audio in a decoded chunk.
    float durationOf(Mix_Chunk* chunk) const;
    // Checks that the file can be decoded and measures it without decoding it all (headless runs
    // only need that); cached and counted like a decode. False (error filled) for an unusable file.
    bool probe(const std::string& fullPath, float& duration, std::string& error);
    // Takes a chunk decoded elsewhere (the loader thread) into the cache; a second copy is freed.
    void adopt(const std::string& fullPath, Mix_Chunk* chunk);
    void countDecode() { ++_decodeCount; }
    void uncache(const std::string& fullPath);
    void uncacheAll();
    int decodeCount() const { return _decodeCount; }

    // Starts the chunk on a free channel; returns the channel or -1.
    int play(Mix_Chunk* chunk, bool loop, float volume);
    void halt(int channel);
    void setVolume(int channel, float volume);
    void pause(int channel);
    void resume(int channel);
    bool isPlaying(int channel) const;
    // Releases a channel for reuse once its sound is forgotten.
    void release(int channel);

    static const int kChannelCount = 32;

private:
    Mode _mode = Mode::PLAYING;
    bool _open = false;
    int _frequency = 44100;
    int _bytesPerFrame = 4;
    int _decodeCount = 0;
    std::unordered_map<std::string, Mix_Chunk*> _chunks;
    std::unordered_map<std::string, float> _probed;
    std::vector<bool> _channelBusy;
};

} // namespace audio
} // namespace cocos2d
