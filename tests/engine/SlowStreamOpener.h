#pragma once

// A stand-in for a slow decoder: every open waits on the loader thread until the test lets it
// through, then gives a synthetic stream (a ramp, so positions can be read off the samples).

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "ext/AudioStream.h"

class RampStream : public cocos2d::ext::AudioStream {
public:
    RampStream(int64_t frames, int channels) : _frames(frames), _channels(channels) {}
    int64_t frameCount() const override { return _frames; }
    size_t read(int16_t* out, size_t frames) override {
        size_t n = 0;
        for (; n < frames && _position < _frames; ++n, ++_position) {
            for (int c = 0; c < _channels; ++c) {
                *out++ = static_cast<int16_t>(_position % 20000);
            }
        }
        return n;
    }
    bool seek(int64_t frame) override {
        if (frame < 0 || frame > _frames) {
            return false;
        }
        _position = frame;
        return true;
    }

private:
    int64_t _frames;
    int _channels;
    int64_t _position = 0;
};

class SlowStreamOpener {
public:
    // Files whose name contains "broken" fail to open, with the error "not audio".
    cocos2d::ext::AudioStreamOpener opener(float seconds) {
        return [this, seconds](const std::string& path, const cocos2d::ext::AudioFormat& format,
                               std::string& error) -> std::unique_ptr<cocos2d::ext::AudioStream> {
            std::unique_lock<std::mutex> lock(_mutex);
            ++_waiting;
            _changed.notify_all();
            _changed.wait(lock, [this] { return _released; });
            --_waiting;
            openedOn = std::this_thread::get_id();
            if (path.find("broken") != std::string::npos) {
                error = "not audio";
                return nullptr;
            }
            return std::make_unique<RampStream>(static_cast<int64_t>(seconds * format.rate), format.channels);
        };
    }
    // Blocks until an open has reached the decoder and waits there.
    void awaitOpen() {
        std::unique_lock<std::mutex> lock(_mutex);
        _changed.wait(lock, [this] { return _waiting > 0; });
    }
    void release() {
        std::lock_guard<std::mutex> lock(_mutex);
        _released = true;
        _changed.notify_all();
    }
    // Later opens wait again.
    void hold() {
        std::lock_guard<std::mutex> lock(_mutex);
        _released = false;
    }

    std::thread::id openedOn;

private:
    std::mutex _mutex;
    std::condition_variable _changed;
    int _waiting = 0;
    bool _released = false;
};

// A file the engine streams (long enough), whose content only the stand-in looks at.
inline std::string writeLongFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string block(1024, 'x');
    for (long written = 0; written < cocos2d::ext::kStreamedFileBytes; written += 1024) {
        std::fwrite(block.data(), 1, block.size(), file);
    }
    std::fclose(file);
    return path;
}
