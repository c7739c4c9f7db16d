#include "AudioLoader.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace cocos2d {
namespace audio {

namespace {
int processId() {
#ifdef _WIN32
    return 0; // no fork() there
#else
    return static_cast<int>(getpid());
#endif
}
} // namespace

AudioLoader::AudioLoader() : _owner(processId()), _thread(&AudioLoader::run, this) {}

bool AudioLoader::inThisProcess() const {
    return _owner == processId();
}

AudioLoader::~AudioLoader() {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _quit = true;
        _jobs.clear();
    }
    _wake.notify_all();
    _thread.join();
}

void AudioLoader::openStream(int ticket, const std::string& fullPath, const ext::AudioFormat& format,
                             ext::AudioStreamOpener opener) {
    std::lock_guard<std::mutex> lock(_mutex);
    _jobs.push_back([ticket, fullPath, format, opener]() {
        Result result;
        result.ticket = ticket;
        result.fullPath = fullPath;
        result.stream = opener ? opener(fullPath, format, result.error)
                               : ext::openAudioStream(fullPath, format, result.error);
        return result;
    });
    _wake.notify_one();
}

void AudioLoader::decode(int ticket, const std::string& fullPath, const ext::AudioFormat& format) {
    std::lock_guard<std::mutex> lock(_mutex);
    _jobs.push_back([ticket, fullPath, format]() {
        Result result;
        result.ticket = ticket;
        result.fullPath = fullPath;
        result.sound = decodeSound(fullPath, format, result.error);
        return result;
    });
    _wake.notify_one();
}

std::vector<AudioLoader::Result> AudioLoader::take() {
    std::lock_guard<std::mutex> lock(_mutex);
    std::vector<Result> done;
    done.swap(_done);
    return done;
}

bool AudioLoader::idle() const {
    std::lock_guard<std::mutex> lock(_mutex);
    return _jobs.empty() && !_busy;
}

void AudioLoader::waitIdle() {
    std::unique_lock<std::mutex> lock(_mutex);
    _idle.wait(lock, [this] { return _jobs.empty() && !_busy; });
}

void AudioLoader::run() {
    std::unique_lock<std::mutex> lock(_mutex);
    for (;;) {
        _wake.wait(lock, [this] { return _quit || !_jobs.empty(); });
        if (_quit) {
            return;
        }
        auto job = std::move(_jobs.front());
        _jobs.pop_front();
        _busy = true;
        lock.unlock();
        Result result = job();
        lock.lock();
        _done.push_back(std::move(result));
        _busy = false;
        if (_jobs.empty()) {
            _idle.notify_all();
        }
    }
}

} // namespace audio
} // namespace cocos2d
