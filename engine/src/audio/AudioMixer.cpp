#include "AudioMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace cocos2d {
namespace audio {

namespace {
const int kFrequency = 44100;
const int kOutputChannels = 2;
// 11.6 ms of output per buffer: an effect started now is mixed into the next buffer, so it is
// heard within one 60 Hz frame (1024 frames could take 23 ms).
const int kChunkFrames = 512;
} // namespace

AudioMixer::~AudioMixer() {
    close();
}

bool AudioMixer::open(Mode mode, std::string& error) {
    close();
    _mode = mode;
    if (mode == Mode::DECODE_ONLY) {
        // Headless runs must never reach a real sound card, whatever the environment says.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    }
    const int initResult = SDL_InitSubSystem(SDL_INIT_AUDIO);
    if (mode == Mode::DECODE_ONLY) {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    if (initResult != 0) {
        error = SDL_GetError();
        return false;
    }
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kOutputChannels, kChunkFrames) != 0) {
        error = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int frequency = kFrequency;
    Uint16 format = MIX_DEFAULT_FORMAT;
    int channels = kOutputChannels;
    Mix_QuerySpec(&frequency, &format, &channels);
    _frequency = frequency;
    _bytesPerFrame = SDL_AUDIO_BITSIZE(format) / 8 * channels;
    Mix_AllocateChannels(kChannelCount);
    _channelBusy.assign(kChannelCount, false);
    _open = true;
    return true;
}

void AudioMixer::close() {
    if (!_open) {
        return;
    }
    Mix_HaltChannel(-1);
    uncacheAll();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    _channelBusy.clear();
    _open = false;
}

Mix_Chunk* AudioMixer::chunk(const std::string& fullPath, std::string& error) {
    auto it = _chunks.find(fullPath);
    if (it != _chunks.end()) {
        return it->second;
    }
    if (!_open) {
        error = "audio is not open";
        return nullptr;
    }
    Mix_Chunk* decoded = Mix_LoadWAV(fullPath.c_str());
    if (!decoded) {
        error = Mix_GetError();
        return nullptr;
    }
    ++_decodeCount;
    _chunks[fullPath] = decoded;
    return decoded;
}

ext::AudioFormat AudioMixer::format() const {
    ext::AudioFormat format;
    format.rate = _frequency;
    format.channels = _bytesPerFrame / static_cast<int>(sizeof(Sint16));
    return format;
}

void AudioMixer::adopt(const std::string& fullPath, Mix_Chunk* chunk) {
    if (_chunks.count(fullPath)) {
        Mix_FreeChunk(chunk);
        return;
    }
    ++_decodeCount;
    _chunks[fullPath] = chunk;
}

float AudioMixer::durationOf(Mix_Chunk* chunk) const {
    if (!chunk || _bytesPerFrame <= 0 || _frequency <= 0) {
        return 0.0f;
    }
    return static_cast<float>(chunk->alen) / static_cast<float>(_bytesPerFrame) /
           static_cast<float>(_frequency);
}

bool AudioMixer::probe(const std::string& fullPath, float& duration, std::string& error) {
    auto known = _probed.find(fullPath);
    if (known != _probed.end()) {
        duration = known->second;
        return true;
    }
    auto decoded = _chunks.find(fullPath);
    if (decoded != _chunks.end()) {
        duration = durationOf(decoded->second);
        return true;
    }
    if (!_open) {
        error = "audio is not open";
        return false;
    }
    Mix_Music* music = Mix_LoadMUS(fullPath.c_str());
    if (!music) {
        error = Mix_GetError();
        return false;
    }
    const double seconds = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    ++_decodeCount;
    duration = seconds > 0.0 ? static_cast<float>(seconds) : 0.0f;
    _probed[fullPath] = duration;
    return true;
}

void AudioMixer::uncache(const std::string& fullPath) {
    _probed.erase(fullPath);
    auto it = _chunks.find(fullPath);
    if (it == _chunks.end()) {
        return;
    }
    // SDL_mixer must not be mixing a chunk while it is freed.
    for (int channel = 0; channel < static_cast<int>(_channelBusy.size()); ++channel) {
        if (Mix_GetChunk(channel) == it->second) {
            Mix_HaltChannel(channel);
        }
    }
    Mix_FreeChunk(it->second);
    _chunks.erase(it);
}

void AudioMixer::uncacheAll() {
    if (_open) {
        Mix_HaltChannel(-1);
    }
    for (auto& entry : _chunks) {
        Mix_FreeChunk(entry.second);
    }
    _chunks.clear();
    _probed.clear();
}

int AudioMixer::play(Mix_Chunk* chunk, bool loop, float volume) {
    if (!_open || _mode != Mode::PLAYING || !chunk) {
        return -1;
    }
    for (int channel = 0; channel < static_cast<int>(_channelBusy.size()); ++channel) {
        if (_channelBusy[channel]) {
            continue;
        }
        Mix_Volume(channel, static_cast<int>(volume * MIX_MAX_VOLUME + 0.5f));
        if (Mix_PlayChannel(channel, chunk, loop ? -1 : 0) < 0) {
            return -1;
        }
        _channelBusy[channel] = true;
        return channel;
    }
    return -1;
}

void AudioMixer::halt(int channel) {
    if (_open && channel >= 0) {
        Mix_HaltChannel(channel);
    }
}

void AudioMixer::setVolume(int channel, float volume) {
    if (_open && channel >= 0) {
        Mix_Volume(channel, static_cast<int>(volume * MIX_MAX_VOLUME + 0.5f));
    }
}

void AudioMixer::pause(int channel) {
    if (_open && channel >= 0) {
        Mix_Pause(channel);
    }
}

void AudioMixer::resume(int channel) {
    if (_open && channel >= 0) {
        Mix_Resume(channel);
    }
}

bool AudioMixer::isPlaying(int channel) const {
    return _open && channel >= 0 && Mix_Playing(channel) != 0;
}

void AudioMixer::release(int channel) {
    if (channel >= 0 && channel < static_cast<int>(_channelBusy.size())) {
        halt(channel);
        _channelBusy[channel] = false;
    }
}

} // namespace audio
} // namespace cocos2d
