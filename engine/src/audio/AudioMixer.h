#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "AudioStreams.h"
#include "StreamMixer.h"
#include "ext/AudioStream.h"

namespace cocos2d {
namespace audio {

// The output device, the cache of decoded effects, and the voices that play them: an effect is
// a voice reading its decoded samples, beside the streamed music.
class AudioMixer {
public:
    enum class Mode {
        // A real device: sounds are heard.
        PLAYING,
        // Headless: no device is opened at all; files are only decoded or measured (validated,
        // timed and counted), and nothing is ever played.
        DECODE_ONLY,
    };

    ~AudioMixer();

    // False when no device can be opened (never, headless).
    bool open(Mode mode, std::string& error);
    void close();
    Mode mode() const { return _mode; }
    // The format sounds are mixed in (what streams must deliver).
    ext::AudioFormat format() const { return _format; }
    // The voices of the open device; nullptr headless or closed.
    StreamMixer* voices() { return _voices.get(); }

    // The decoded sound, decoding on first use; nullptr (error filled) when the file can't be decoded.
    SoundPtr sound(const std::string& fullPath, std::string& error);
    // Seconds of audio in a decoded sound.
    float durationOf(const SoundPtr& sound) const;
    // Checks that the file can be decoded and measures it without keeping its samples (headless
    // runs only need that); cached and counted like a decode. False (error filled) for an unusable file.
    bool probe(const std::string& fullPath, float& duration, std::string& error);
    // Takes a sound decoded elsewhere (the loader thread) into the cache; a second copy is dropped.
    void adopt(const std::string& fullPath, SoundPtr sound);
    void countDecode() { ++_decodeCount; }
    // A sound still playing keeps its samples until it ends.
    void uncache(const std::string& fullPath);
    void uncacheAll();
    int decodeCount() const { return _decodeCount; }

    // Starts the sound on a voice of its own (stopped, paused or changed through voices());
    // returns the voice or -1.
    int play(const SoundPtr& sound, bool loop, float volume);

    // The most sounds the engine lets play at once.
    static const int kChannelCount = 32;

    // Called on the audio thread with every buffer sent to the device, after mixing (tests and
    // benchmarks listen to the output through it); an empty function removes it.
    static void setOutputTap(std::function<void(const int16_t* samples, int frames)> tap);

private:
    static void fillBuffer(void* self, uint8_t* stream, int length);

    Mode _mode = Mode::PLAYING;
    bool _open = false;
    uint32_t _device = 0;
    ext::AudioFormat _format;
    std::unique_ptr<StreamMixer> _voices;
    int _decodeCount = 0;
    std::unordered_map<std::string, SoundPtr> _sounds;
    std::unordered_map<std::string, float> _probed;
};

} // namespace audio
} // namespace cocos2d
