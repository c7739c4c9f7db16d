#include "StreamMixer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace cocos2d {
namespace audio {

namespace {
// Frames decoded per read on the audio thread; larger requests are split.
constexpr int kScratchFrames = 1024;

int toMixerVolume(float volume) {
    return static_cast<int>(std::lround(std::clamp(volume, 0.0f, 1.0f) * SDL_MIX_MAXVOLUME));
}
} // namespace

StreamMixer::StreamMixer(const ext::AudioFormat& format)
    : _format(format), _scratch(new int16_t[static_cast<size_t>(kScratchFrames * format.channels)]),
      _scratchFrames(kScratchFrames) {}

int StreamMixer::play(std::unique_ptr<ext::AudioStream> stream, bool loop, float volume, bool paused) {
    std::lock_guard<std::mutex> lock(_mutex);
    const int handle = _nextHandle++;
    Voice& voice = _voices[handle];
    voice.stream = std::move(stream);
    voice.loop = loop;
    voice.volume = toMixerVolume(volume);
    voice.paused = paused;
    return handle;
}

void StreamMixer::stop(int handle) {
    std::unique_ptr<ext::AudioStream> closing;
    {
        std::lock_guard<std::mutex> lock(_mutex);
        auto it = _voices.find(handle);
        if (it == _voices.end()) {
            return;
        }
        closing = std::move(it->second.stream);
        _voices.erase(it);
    }
    // Closed outside the lock: closing a file must not hold up the audio thread.
}

void StreamMixer::setVolume(int handle, float volume) {
    std::lock_guard<std::mutex> lock(_mutex);
    auto it = _voices.find(handle);
    if (it != _voices.end()) {
        it->second.volume = toMixerVolume(volume);
    }
}

void StreamMixer::setLoop(int handle, bool loop) {
    std::lock_guard<std::mutex> lock(_mutex);
    auto it = _voices.find(handle);
    if (it != _voices.end()) {
        it->second.loop = loop;
    }
}

void StreamMixer::setPaused(int handle, bool paused) {
    std::lock_guard<std::mutex> lock(_mutex);
    auto it = _voices.find(handle);
    if (it != _voices.end()) {
        it->second.paused = paused;
    }
}

bool StreamMixer::seek(int handle, int64_t frame) {
    std::lock_guard<std::mutex> lock(_mutex);
    auto it = _voices.find(handle);
    if (it == _voices.end() || !it->second.stream->seek(frame)) {
        return false;
    }
    it->second.position = frame;
    it->second.finished = false;
    return true;
}

int64_t StreamMixer::position(int handle) const {
    std::lock_guard<std::mutex> lock(_mutex);
    auto it = _voices.find(handle);
    return it == _voices.end() ? -1 : it->second.position;
}

bool StreamMixer::finished(int handle) const {
    std::lock_guard<std::mutex> lock(_mutex);
    auto it = _voices.find(handle);
    return it != _voices.end() && it->second.finished;
}

void StreamMixer::mixInto(int16_t* out, int frames) {
    std::lock_guard<std::mutex> lock(_mutex);
    mix(out, frames);
}

// Runs on the audio thread, with the lock held.
void StreamMixer::mix(int16_t* out, int frames) {
    for (auto& entry : _voices) {
        Voice& voice = entry.second;
        if (!voice.paused && !voice.finished) {
            mixVoice(voice, out, frames);
        }
    }
}

void StreamMixer::mixVoice(Voice& voice, int16_t* out, int frames) {
    const int channels = _format.channels;
    while (frames > 0) {
        const int wanted = std::min(frames, _scratchFrames);
        const int got = static_cast<int>(voice.stream->read(_scratch.get(), static_cast<size_t>(wanted)));
        SDL_MixAudioFormat(
            reinterpret_cast<Uint8*>(out), reinterpret_cast<const Uint8*>(_scratch.get()), AUDIO_S16SYS,
            static_cast<Uint32>(got * channels * static_cast<int>(sizeof(int16_t))), voice.volume);
        out += got * channels;
        frames -= got;
        voice.position += got;
        if (got < wanted) {
            // The end of a pass: a loop carries on from the first frame within this same buffer,
            // so the join is seamless; anything else is done.
            if (!voice.loop || (got == 0 && voice.position == 0) || !voice.stream->seek(0)) {
                voice.finished = true;
                return;
            }
            voice.position = 0;
        }
    }
}

} // namespace audio
} // namespace cocos2d
