#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AudioStreams.h"
#include "ext/AudioStream.h"

namespace cocos2d {
namespace audio {

// The one thread that opens and decodes files ahead of their use, so that no frame waits for a
// decoder. Jobs run in the order given; results are collected by the main thread with take().
class AudioLoader {
public:
    struct Result {
        int ticket = 0;
        std::string fullPath;
        // A stream job's stream, or a decode job's sound; both empty on failure.
        std::unique_ptr<ext::AudioStream> stream;
        SoundPtr sound;
        std::string error;
    };

    AudioLoader();
    // Waits for the job in progress; jobs not yet started are dropped.
    ~AudioLoader();
    // False in a child made by fork() (a death test): the thread, and whatever it held, stayed
    // in the parent, so the child must leave the loader alone, not even destroy it.
    bool inThisProcess() const;

    void openStream(int ticket, const std::string& fullPath, const ext::AudioFormat& format,
                    ext::AudioStreamOpener opener);
    // Decodes a short sound whole, as an effect.
    void decode(int ticket, const std::string& fullPath, const ext::AudioFormat& format);
    // The jobs finished since the last call, in order.
    std::vector<Result> take();
    bool idle() const;
    void waitIdle();

private:
    void run();

    mutable std::mutex _mutex;
    std::condition_variable _wake;
    std::condition_variable _idle;
    std::deque<std::function<Result()>> _jobs;
    std::vector<Result> _done;
    bool _busy = false;
    bool _quit = false;
    int _owner = 0;
    std::thread _thread;
};

} // namespace audio
} // namespace cocos2d
