// The engine's own stream decoders: MP3 decoded a little at a time as it plays, anything else
// SDL_mixer can read decoded whole on the loader thread and played from memory.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "ext/AudioStream.h"

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

    // False when the file is no MP3 or its format differs from the output's (the caller then
    // decodes it whole through SDL_mixer, which converts).
    bool open(const std::string& path, const AudioFormat& format) {
        // Through SDL's files, which take UTF-8 paths on every system.
        _file = SDL_RWFromFile(path.c_str(), "rb");
        if (!_file || !drmp3_init(&_mp3, &Mp3Stream::readFile, &Mp3Stream::seekFile, _file, nullptr)) {
            return false;
        }
        _open = true;
        drmp3_uint64 mp3Frames = 0, pcmFrames = 0;
        if (static_cast<int>(_mp3.channels) != format.channels ||
            static_cast<int>(_mp3.sampleRate) != format.rate ||
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

// A sound decoded whole by SDL_mixer (already in the output's format), read from memory.
class MemoryStream : public AudioStream {
public:
    MemoryStream(Mix_Chunk* chunk, int channels)
        : _chunk(chunk), _frameBytes(static_cast<size_t>(channels) * sizeof(int16_t)) {}
    ~MemoryStream() override { Mix_FreeChunk(_chunk); }

    int64_t frameCount() const override { return static_cast<int64_t>(_chunk->alen / _frameBytes); }

    size_t read(int16_t* out, size_t frames) override {
        const size_t count = std::min<size_t>(frames, static_cast<size_t>(frameCount() - _position));
        std::memcpy(out, _chunk->abuf + static_cast<size_t>(_position) * _frameBytes, count * _frameBytes);
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
    Mix_Chunk* _chunk;
    size_t _frameBytes;
    int64_t _position = 0;
};

} // namespace

std::unique_ptr<AudioStream> openAudioStream(const std::string& fullPath, const AudioFormat& format,
                                             std::string& error) {
    auto mp3 = std::make_unique<Mp3Stream>();
    if (mp3->open(fullPath, format)) {
        return mp3;
    }
    mp3.reset();
    Mix_Chunk* chunk = Mix_LoadWAV(fullPath.c_str());
    if (!chunk) {
        error = Mix_GetError();
        return nullptr;
    }
    return std::make_unique<MemoryStream>(chunk, format.channels);
}

} // namespace ext
} // namespace cocos2d
