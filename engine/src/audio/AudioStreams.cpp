// The engine's own decoders: MP3 streamed a little at a time as it plays, or decoded whole (an
// effect, or a track in another format than the output's); WAV read whole by SDL. Both are
// converted to the output's format and played from memory.
#include "AudioStreams.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

#define DR_MP3_IMPLEMENTATION
#include "dr_mp3.h"

namespace cocos2d {
namespace ext {

namespace {

// Samples every MP3 decoder puts before the first real one (the synthesis filter's delay).
constexpr int64_t kDecoderDelay = 529;
constexpr int64_t kMp3FrameSamples = 1152;

// Encoder delay and padding from the LAME/Xing header of the first frame: an encoder puts
// silence before and after the music, and skipping exactly that is what makes a loop seamless.
struct Gapless {
    bool infoFrame = false;
    int64_t delay = 0;
    int64_t padding = 0;
};

Gapless readGapless(const std::string& path) {
    Gapless gapless;
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) {
        return gapless;
    }
    std::vector<unsigned char> head(16384);
    head.resize(SDL_RWread(file, head.data(), 1, head.size()));
    SDL_RWclose(file);
    size_t at = 0;
    if (head.size() >= 10 && std::memcmp(head.data(), "ID3", 3) == 0) {
        at =
            10 + ((head[6] & 0x7F) << 21 | (head[7] & 0x7F) << 14 | (head[8] & 0x7F) << 7 | (head[9] & 0x7F));
        if (head[5] & 0x10) {
            at += 10; // footer
        }
    }
    if (at + 4 > head.size() || head[at] != 0xFF || (head[at + 1] & 0xE0) != 0xE0) {
        return gapless;
    }
    const bool mpeg1 = ((head[at + 1] >> 3) & 3) == 3;
    const bool mono = (head[at + 3] >> 6) == 3;
    const size_t sideInfo = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    size_t tag = at + 4 + sideInfo;
    if (tag + 8 > head.size() ||
        (std::memcmp(&head[tag], "Xing", 4) != 0 && std::memcmp(&head[tag], "Info", 4) != 0)) {
        return gapless;
    }
    gapless.infoFrame = true;
    const unsigned flags = head[tag + 4] << 24 | head[tag + 5] << 16 | head[tag + 6] << 8 | head[tag + 7];
    size_t lame = tag + 8 + ((flags & 1) ? 4 : 0) + ((flags & 2) ? 4 : 0) + ((flags & 4) ? 100 : 0) +
                  ((flags & 8) ? 4 : 0);
    if (lame + 24 <= head.size()) {
        const unsigned char* d = &head[lame + 21];
        gapless.delay = d[0] << 4 | d[1] >> 4;
        gapless.padding = (d[1] & 0x0F) << 8 | d[2];
    }
    return gapless;
}

class Mp3Stream : public AudioStream {
public:
    ~Mp3Stream() override {
        if (_open) {
            drmp3_uninit(&_mp3);
        }
        if (_file) {
            SDL_RWclose(_file);
        }
    }

    // False when the file is no MP3 with at least one frame.
    bool open(const std::string& path) {
        // Through SDL's files, which take UTF-8 paths on every system.
        _file = SDL_RWFromFile(path.c_str(), "rb");
        if (!_file || !drmp3_init(&_mp3, &Mp3Stream::readFile, &Mp3Stream::seekFile, _file, nullptr)) {
            return false;
        }
        _open = true;
        drmp3_uint64 mp3Frames = 0, pcmFrames = 0;
        if (_mp3.channels == 0 || _mp3.sampleRate == 0 ||
            !drmp3_get_mp3_and_pcm_frame_count(&_mp3, &mp3Frames, &pcmFrames) || pcmFrames == 0) {
            return false;
        }
        const Gapless gapless = readGapless(path);
        _lead = 0;
        _frames = static_cast<int64_t>(pcmFrames);
        if (gapless.infoFrame) {
            // The header frame decodes as one frame of silence; then the two delays.
            _lead = kMp3FrameSamples + gapless.delay + kDecoderDelay;
            const int64_t music =
                (static_cast<int64_t>(mp3Frames) - 1) * kMp3FrameSamples - gapless.delay - gapless.padding;
            if (gapless.delay > 0 && music > 0 && _lead + music <= _frames) {
                _frames = music;
            } else {
                _lead = 0;
            }
        }
        return seek(0);
    }

    int64_t frameCount() const override { return _frames; }
    int rate() const { return static_cast<int>(_mp3.sampleRate); }
    int channels() const { return static_cast<int>(_mp3.channels); }
    bool matches(const AudioFormat& format) const {
        return rate() == format.rate && channels() == format.channels;
    }

    size_t read(int16_t* out, size_t frames) override {
        const auto wanted =
            static_cast<drmp3_uint64>(std::min<int64_t>(static_cast<int64_t>(frames), _frames - _position));
        const drmp3_uint64 got = wanted > 0 ? drmp3_read_pcm_frames_s16(&_mp3, wanted, out) : 0;
        _position += static_cast<int64_t>(got);
        return static_cast<size_t>(got);
    }

    bool seek(int64_t frame) override {
        if (frame < 0 || frame > _frames ||
            !drmp3_seek_to_pcm_frame(&_mp3, static_cast<drmp3_uint64>(_lead + frame))) {
            return false;
        }
        _position = frame;
        return true;
    }

private:
    static size_t readFile(void* file, void* out, size_t bytes) {
        return SDL_RWread(static_cast<SDL_RWops*>(file), out, 1, bytes);
    }
    static drmp3_bool32 seekFile(void* file, int offset, drmp3_seek_origin origin) {
        const int whence = origin == drmp3_seek_origin_start ? RW_SEEK_SET : RW_SEEK_CUR;
        return SDL_RWseek(static_cast<SDL_RWops*>(file), offset, whence) >= 0;
    }

    SDL_RWops* _file = nullptr;
    drmp3 _mp3{};
    bool _open = false;
    int64_t _lead = 0;
    int64_t _frames = 0;
    int64_t _position = 0;
};

// A decoded sound read from memory.
class SoundStream : public AudioStream {
public:
    explicit SoundStream(audio::SoundPtr sound) : _sound(std::move(sound)) {}

    int64_t frameCount() const override { return _sound->frames(); }

    size_t read(int16_t* out, size_t frames) override {
        const size_t count = std::min<size_t>(frames, static_cast<size_t>(frameCount() - _position));
        const size_t channels = static_cast<size_t>(_sound->channels);
        std::memcpy(out, _sound->samples.data() + static_cast<size_t>(_position) * channels,
                    count * channels * sizeof(int16_t));
        _position += static_cast<int64_t>(count);
        return count;
    }

    bool seek(int64_t frame) override {
        if (frame < 0 || frame > frameCount()) {
            return false;
        }
        _position = frame;
        return true;
    }

private:
    audio::SoundPtr _sound;
    int64_t _position = 0;
};

bool isWave(const std::string& path) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    char head[12] = {};
    const size_t got = SDL_RWread(file, head, 1, sizeof head);
    SDL_RWclose(file);
    return got == sizeof head && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0;
}

// Samples of any format, rate and channel count SDL knows, converted to the output's.
audio::SoundPtr convert(const void* data, size_t bytes, SDL_AudioFormat from, int channels, int rate,
                        const AudioFormat& format, std::string& error) {
    auto sound = std::make_shared<audio::Sound>();
    sound->channels = format.channels;
    if (from == AUDIO_S16SYS && channels == format.channels && rate == format.rate) {
        sound->samples.resize(bytes / sizeof(int16_t));
        std::memcpy(sound->samples.data(), data, sound->samples.size() * sizeof(int16_t));
        return sound;
    }
    SDL_AudioStream* converter = SDL_NewAudioStream(from, static_cast<Uint8>(channels), rate, AUDIO_S16SYS,
                                                    static_cast<Uint8>(format.channels), format.rate);
    if (!converter || SDL_AudioStreamPut(converter, data, static_cast<int>(bytes)) != 0 ||
        SDL_AudioStreamFlush(converter) != 0) {
        error = SDL_GetError();
        if (converter) {
            SDL_FreeAudioStream(converter);
        }
        return nullptr;
    }
    const int available = SDL_AudioStreamAvailable(converter);
    sound->samples.resize(static_cast<size_t>(available) / sizeof(int16_t));
    const int got = SDL_AudioStreamGet(converter, sound->samples.data(), available);
    SDL_FreeAudioStream(converter);
    if (got < 0) {
        error = SDL_GetError();
        return nullptr;
    }
    const size_t frameSamples = static_cast<size_t>(format.channels);
    sound->samples.resize(static_cast<size_t>(got) / sizeof(int16_t) / frameSamples * frameSamples);
    return sound;
}

constexpr const char* kUnknownFormat = "not an MP3 or WAV file";

// A WAV file read whole by SDL, in its own format.
struct WaveFile {
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;

    WaveFile() = default;
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;
    ~WaveFile() {
        if (buffer) {
            SDL_FreeWAV(buffer);
        }
    }
    bool load(const std::string& path, std::string& error) {
        if (!SDL_LoadWAV(path.c_str(), &spec, &buffer, &length)) {
            error = SDL_GetError();
            return false;
        }
        return true;
    }
};

// A WAV file decoded whole, converted to the output's format.
audio::SoundPtr decodeWave(const std::string& fullPath, const AudioFormat& format, std::string& error) {
    WaveFile wave;
    return wave.load(fullPath, error) ? convert(wave.buffer, wave.length, wave.spec.format,
                                                wave.spec.channels, wave.spec.freq, format, error)
                                      : nullptr;
}

// An opened MP3 decoded whole, converted to the output's format.
audio::SoundPtr decodeWhole(Mp3Stream& mp3, const AudioFormat& format, std::string& error) {
    std::vector<int16_t> samples(static_cast<size_t>(mp3.frameCount() * mp3.channels()));
    const size_t frames = mp3.read(samples.data(), static_cast<size_t>(mp3.frameCount()));
    return convert(samples.data(), frames * static_cast<size_t>(mp3.channels()) * sizeof(int16_t),
                   AUDIO_S16SYS, mp3.channels(), mp3.rate(), format, error);
}

} // namespace

std::unique_ptr<AudioStream> openAudioStream(const std::string& fullPath, const AudioFormat& format,
                                             std::string& error) {
    audio::SoundPtr sound;
    if (isWave(fullPath)) {
        sound = decodeWave(fullPath, format, error);
    } else {
        auto mp3 = std::make_unique<Mp3Stream>();
        if (!mp3->open(fullPath)) {
            error = kUnknownFormat;
            return nullptr;
        }
        if (mp3->matches(format)) {
            return mp3;
        }
        sound = decodeWhole(*mp3, format, error);
    }
    return sound ? audio::soundStream(std::move(sound)) : nullptr;
}

} // namespace ext

namespace audio {

SoundPtr decodeSound(const std::string& fullPath, const ext::AudioFormat& format, std::string& error) {
    if (ext::isWave(fullPath)) {
        return ext::decodeWave(fullPath, format, error);
    }
    ext::Mp3Stream mp3;
    if (!mp3.open(fullPath)) {
        error = ext::kUnknownFormat;
        return nullptr;
    }
    return ext::decodeWhole(mp3, format, error);
}

bool measureSound(const std::string& fullPath, float& seconds, std::string& error) {
    if (ext::isWave(fullPath)) {
        ext::WaveFile wave;
        if (!wave.load(fullPath, error)) {
            return false;
        }
        const int frameBytes = SDL_AUDIO_BITSIZE(wave.spec.format) / 8 * wave.spec.channels;
        seconds = frameBytes > 0 && wave.spec.freq > 0
                      ? static_cast<float>(static_cast<double>(wave.length / frameBytes) / wave.spec.freq)
                      : 0.0f;
        return true;
    }
    ext::Mp3Stream mp3;
    if (!mp3.open(fullPath)) {
        error = ext::kUnknownFormat;
        return false;
    }
    seconds = static_cast<float>(static_cast<double>(mp3.frameCount()) / mp3.rate());
    return true;
}

std::unique_ptr<ext::AudioStream> soundStream(SoundPtr sound) {
    return std::make_unique<ext::SoundStream>(std::move(sound));
}

} // namespace audio
} // namespace cocos2d
