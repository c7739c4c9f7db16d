#include "AudioMixer.h"

#include <SDL.h>

#include <cstring>
#include <mutex>

namespace cocos2d {
namespace audio {

namespace {
const int kFrequency = 44100;
const int kOutputChannels = 2;
// 11.6 ms of output per buffer: an effect started now is mixed into the next buffer, so it is
// heard within one 60 Hz frame (1024 frames could take 23 ms).
const int kBufferFrames = 512;

std::mutex g_tapMutex;
std::function<void(const int16_t*, int)> g_tap;
} // namespace

AudioMixer::~AudioMixer() {
    close();
}

bool AudioMixer::open(Mode mode, std::string& error) {
    close();
    _mode = mode;
    _format = ext::AudioFormat{kFrequency, kOutputChannels};
    if (mode == Mode::DECODE_ONLY) {
        // Headless runs never reach a sound card: decoding needs no device.
        _open = true;
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kFrequency;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kOutputChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &AudioMixer::fillBuffer;
    wanted.userdata = this;
    _voices.reset(new StreamMixer(_format));
    // SDL converts to whatever the device takes, so the mixer always works in one format.
    _device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (_device == 0) {
        error = SDL_GetError();
        _voices.reset();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    _open = true;
    SDL_PauseAudioDevice(_device, 0);
    return true;
}

void AudioMixer::close() {
    if (!_open) {
        return;
    }
    if (_device != 0) {
        // Returns once the audio thread is out of the callback for good.
        SDL_CloseAudioDevice(_device);
        _device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    _voices.reset();
    uncacheAll();
    _open = false;
}

void AudioMixer::fillBuffer(void* self, uint8_t* stream, int length) {
    auto* mixer = static_cast<AudioMixer*>(self);
    std::memset(stream, 0, static_cast<size_t>(length));
    const int frames = length / (mixer->_format.channels * static_cast<int>(sizeof(int16_t)));
    auto* out = reinterpret_cast<int16_t*>(stream);
    mixer->_voices->mixInto(out, frames);
    std::lock_guard<std::mutex> lock(g_tapMutex);
    if (g_tap) {
        g_tap(out, frames);
    }
}

void AudioMixer::setOutputTap(std::function<void(const int16_t*, int)> tap) {
    std::lock_guard<std::mutex> lock(g_tapMutex);
    g_tap = std::move(tap);
}

SoundPtr AudioMixer::sound(const std::string& fullPath, std::string& error) {
    auto it = _sounds.find(fullPath);
    if (it != _sounds.end()) {
        return it->second;
    }
    if (!_open) {
        error = "audio is not open";
        return nullptr;
    }
    SoundPtr decoded = decodeSound(fullPath, _format, error);
    if (!decoded) {
        return nullptr;
    }
    ++_decodeCount;
    _sounds[fullPath] = decoded;
    return decoded;
}

void AudioMixer::adopt(const std::string& fullPath, SoundPtr sound) {
    if (!sound || _sounds.count(fullPath)) {
        return;
    }
    ++_decodeCount;
    _sounds[fullPath] = std::move(sound);
}

float AudioMixer::durationOf(const SoundPtr& sound) const {
    if (!sound || _format.rate <= 0) {
        return 0.0f;
    }
    return static_cast<float>(static_cast<double>(sound->frames()) / _format.rate);
}

bool AudioMixer::probe(const std::string& fullPath, float& duration, std::string& error) {
    auto known = _probed.find(fullPath);
    if (known != _probed.end()) {
        duration = known->second;
        return true;
    }
    auto decoded = _sounds.find(fullPath);
    if (decoded != _sounds.end()) {
        duration = durationOf(decoded->second);
        return true;
    }
    if (!_open) {
        error = "audio is not open";
        return false;
    }
    float seconds = 0.0f;
    if (!measureSound(fullPath, seconds, error)) {
        return false;
    }
    ++_decodeCount;
    duration = seconds;
    _probed[fullPath] = duration;
    return true;
}

void AudioMixer::uncache(const std::string& fullPath) {
    _probed.erase(fullPath);
    _sounds.erase(fullPath);
}

void AudioMixer::uncacheAll() {
    _sounds.clear();
    _probed.clear();
}

int AudioMixer::play(const SoundPtr& sound, bool loop, float volume) {
    if (!_open || !_voices || !sound) {
        return -1;
    }
    return _voices->play(soundStream(sound), loop, volume, false);
}

} // namespace audio
} // namespace cocos2d
