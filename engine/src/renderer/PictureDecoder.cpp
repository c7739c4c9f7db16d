#include "renderer/PictureDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <utility>

#include "ext/Headless.h"
#include "renderer/PixelPool.h"
#include "renderer/PngRows.h"

namespace cocos2d {
namespace pictures {

namespace {
// One pixel layout everywhere (images, text, the headless frame) keeps SDL on its fast blits.
constexpr Uint32 kPixelFormat = SDL_PIXELFORMAT_ARGB8888;

std::atomic<long long> g_fileDecodes{0};

const Uint32* rowOf(const SDL_Surface* image, int y) {
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(image->pixels) +
                                           static_cast<size_t>(y) * static_cast<size_t>(image->pitch));
}

// PNGs with alpha decode to the bytes R, G, B, A (ABGR8888 as 32-bit words), ours are A, R, G, B
// words: swapping red and blue in place is a fraction of SDL's general conversion (which also
// needs a second image's worth of memory). Returns the ARGB view over the same pixels.
SDL_Surface* swapRedAndBlue(SDL_Surface* surface) {
    if (SDL_LockSurface(surface) != 0) {
        return nullptr;
    }
    for (int y = 0; y < surface->h; ++y) {
        auto* row = const_cast<Uint32*>(rowOf(surface, y));
        for (int x = 0; x < surface->w; ++x) {
            const Uint32 p = row[x];
            row[x] = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
        }
    }
    SDL_UnlockSurface(surface);
    return SDL_CreateRGBSurfaceWithFormatFrom(surface->pixels, surface->w, surface->h, 32, surface->pitch,
                                              kPixelFormat);
}
} // namespace

DecodedPicture::DecodedPicture(DecodedPicture&& other) noexcept {
    *this = std::move(other);
}

DecodedPicture& DecodedPicture::operator=(DecodedPicture&& other) noexcept {
    if (this != &other) {
        if (surface) {
            SDL_FreeSurface(surface);
        }
        if (pixelOwner) {
            SDL_FreeSurface(pixelOwner);
        }
        width = other.width;
        height = other.height;
        opaque = other.opaque;
        runs = std::move(other.runs);
        surface = other.surface;
        pixelOwner = other.pixelOwner;
        error = std::move(other.error);
        other.width = other.height = 0;
        other.surface = nullptr;
        other.pixelOwner = nullptr;
    }
    return *this;
}

DecodedPicture::~DecodedPicture() {
    if (surface) {
        SDL_FreeSurface(surface);
    }
    if (pixelOwner) {
        SDL_FreeSurface(pixelOwner);
    }
}

void DecodedPicture::releaseSurfaces() {
    surface = nullptr;
    pixelOwner = nullptr;
}

SDL_Surface* toEngineLayout(SDL_Surface* surface, SDL_Surface** owner) {
    *owner = nullptr;
    if (!surface) {
        return nullptr;
    }
    if (surface->format->format == SDL_PIXELFORMAT_ABGR8888) {
        if (SDL_Surface* view = swapRedAndBlue(surface)) {
            *owner = surface;
            return view;
        }
    }
    if (surface->format->format == kPixelFormat) {
        return surface;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, kPixelFormat, 0);
    SDL_FreeSurface(surface);
    return converted;
}

bool everyPixelOpaque(const SDL_Surface* surface) {
    for (int y = 0; y < surface->h; ++y) {
        const Uint32* row = rowOf(surface, y);
        for (int x = 0; x < surface->w; ++x) {
            if ((row[x] >> 24) != 0xFF) {
                return false;
            }
        }
    }
    return true;
}

bool oneColour(const SDL_Surface* image, uint32_t* rgb) {
    if (!image || image->w <= 0 || image->h <= 0) {
        return false;
    }
    const Uint32 colour = rowOf(image, 0)[0] & 0xFFFFFFu;
    for (int y = 0; y < image->h; ++y) {
        const Uint32* row = rowOf(image, y);
        for (int x = 0; x < image->w; ++x) {
            if ((row[x] & 0xFFFFFFu) != colour) {
                return false;
            }
        }
    }
    *rgb = colour;
    return true;
}

std::vector<uint8_t> alphaOf(const SDL_Surface* image) {
    std::vector<uint8_t> alpha(static_cast<size_t>(image->w) * static_cast<size_t>(image->h));
    uint8_t* out = alpha.data();
    for (int y = 0; y < image->h; ++y) {
        const Uint32* row = rowOf(image, y);
        for (int x = 0; x < image->w; ++x) {
            *out++ = static_cast<uint8_t>(row[x] >> 24);
        }
    }
    return alpha;
}

std::vector<uint8_t> alphaOfRuns(const std::vector<uint32_t>& runs, size_t pixelCount, uint32_t* rgb) {
    if (runs.size() < 2) {
        return {};
    }
    const uint32_t colour = runs[1] & 0xFFFFFFu;
    size_t total = 0;
    for (size_t i = 0; i + 1 < runs.size(); i += 2) {
        if ((runs[i + 1] & 0xFFFFFFu) != colour) {
            return {};
        }
        total += runs[i];
    }
    if (total != pixelCount) {
        return {};
    }
    std::vector<uint8_t> alpha(pixelCount);
    uint8_t* out = alpha.data();
    for (size_t i = 0; i + 1 < runs.size(); i += 2) {
        std::memset(out, static_cast<int>(runs[i + 1] >> 24), runs[i]);
        out += runs[i];
    }
    *rgb = colour;
    return alpha;
}

namespace {
// Runs built pixel by pixel, in one pass, before the picture's size in runs is known: gathered
// in blocks, then copied into runs of their exact size (a growing vector would hold up to twice
// that). Pictures without flat areas (noise, photos) don't pack: past `limit` runs it gives up.
class RunBuilder {
public:
    explicit RunBuilder(size_t limit) : _limit(limit) {}

    // False once the picture has more runs than the limit.
    bool add(Uint32 p) {
        _opaque = _opaque && (p >> 24) == 0xFF;
        if (_count > 0 && p == _last) {
            ++_blocks.back()[_used - 2];
            return true;
        }
        if (++_count > _limit) {
            return false;
        }
        if (_blocks.empty() || _used == kBlock) {
            _blocks.emplace_back(new Uint32[kBlock]);
            _used = 0;
        }
        _blocks.back()[_used++] = 1; // runs go on across rows; one never exceeds the picture
        _blocks.back()[_used++] = p;
        _last = p;
        return true;
    }

    bool opaque() const { return _opaque; }

    std::vector<uint32_t> finish() {
        std::vector<uint32_t> runs(_count * 2);
        uint32_t* out = runs.data();
        for (size_t i = 0; i < _blocks.size(); ++i) {
            const size_t n = i + 1 < _blocks.size() ? kBlock : _used;
            std::memcpy(out, _blocks[i].get(), n * sizeof(Uint32));
            out += n;
            _blocks[i].reset();
        }
        _blocks.clear();
        return runs;
    }

private:
    static constexpr size_t kBlock = 32 * 1024; // entries: 128 KiB, an even number
    std::vector<std::unique_ptr<Uint32[]>> _blocks;
    size_t _used = 0;
    size_t _count = 0;
    size_t _limit;
    Uint32 _last = 0;
    bool _opaque = true;
};

// Runs of the pixels `pixelAt(row, x)` gives (ARGB), across rows; empty when they don't pack.
template <typename Row, typename Pixel>
std::vector<uint32_t> packRunsOf(int width, int height, Row rowAt, Pixel pixelAt,
                                 const std::atomic<bool>* stop = nullptr) {
    RunBuilder runs(static_cast<size_t>(width) * static_cast<size_t>(height) / 4);
    for (int y = 0; y < height; ++y) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            return {};
        }
        const auto* row = rowAt(y);
        for (int x = 0; x < width; ++x) {
            if (!runs.add(pixelAt(row, x))) {
                return {};
            }
        }
    }
    return runs.finish();
}

// An opaque PNG decodes to the bytes R, G, B: packed as it is, without the picture's worth of
// memory a conversion to ARGB first would take.
std::vector<uint32_t> packRgbRuns(const SDL_Surface* image) {
    return packRunsOf(
        image->w, image->h,
        [image](int y) {
            return static_cast<const Uint8*>(image->pixels) + static_cast<size_t>(y) * image->pitch;
        },
        [](const Uint8* row, int x) {
            const Uint8* p = row + 3 * x;
            return 0xFF000000u | Uint32{p[0]} << 16 | Uint32{p[1]} << 8 | p[2];
        });
}
} // namespace

std::vector<uint32_t> packRuns(const SDL_Surface* image, const std::atomic<bool>* stop) {
    return packRunsOf(
        image->w, image->h, [image](int y) { return rowOf(image, y); },
        [](const Uint32* row, int x) { return row[x]; }, stop);
}

namespace {
// Every row of an opened PNG into memory from the pool; nullptr (`error` set) if the file breaks.
SDL_Surface* readRows(PngRows& png, std::string& error) {
    SDL_Surface* surface = pixel_pool::take(png.width(), png.height());
    if (!surface) {
        error = "out of memory";
        return nullptr;
    }
    for (int y = 0; y < png.height(); ++y) {
        if (!png.readRow(const_cast<Uint32*>(rowOf(surface, y)))) {
            error = png.error();
            pixel_pool::giveBack(surface);
            return nullptr;
        }
    }
    return surface;
}

// The whole picture, already in the engine's layout for a PNG; SDL_image reads anything else
// (and interlaced PNGs). nullptr with SDL's error set when the file can't be read.
SDL_Surface* loadWhole(const std::string& fullPath) {
    PngRows png;
    if (!png.open(fullPath)) {
        return IMG_Load(fullPath.c_str());
    }
    std::string error;
    SDL_Surface* surface = readRows(png, error);
    if (!surface) {
        SDL_SetError("%s", error.c_str());
    }
    return surface;
}
} // namespace

SDL_Surface* readFile(const std::string& fullPath) {
    ++g_fileDecodes;
    return loadWhole(fullPath);
}

DecodedPicture packSurface(SDL_Surface* surface, SDL_Surface* owner, const std::atomic<bool>* stop) {
    DecodedPicture picture;
    if (surface) {
        picture.runs = packRuns(surface, stop);
        if (stop && stop->load()) {
            // Wanted back before it was packed: the pixels as they are.
            picture.runs.clear();
            picture.width = surface->w;
            picture.height = surface->h;
            picture.surface = surface;
            picture.pixelOwner = owner;
            return picture;
        }
        if (!picture.runs.empty()) {
            picture.width = surface->w;
            picture.height = surface->h;
        }
    }
    pixel_pool::giveBack(surface);
    if (owner) {
        SDL_FreeSurface(owner);
    }
    return picture;
}

DecodedPicture decodeFile(const std::string& fullPath, bool pack) {
    ++g_fileDecodes;
    DecodedPicture picture;
    if (pack) {
        // A PNG is packed as its rows come, never whole in memory.
        PngRows png;
        if (png.open(fullPath)) {
            RunBuilder runs(static_cast<size_t>(png.width()) * static_cast<size_t>(png.height()) / 4);
            std::unique_ptr<Uint32[]> row(new Uint32[static_cast<size_t>(png.width())]);
            bool packs = true;
            for (int y = 0; y < png.height() && packs; ++y) {
                if (!png.readRow(row.get())) {
                    picture.error = png.error();
                    return picture;
                }
                for (int x = 0; x < png.width() && packs; ++x) {
                    packs = runs.add(row[x]);
                }
            }
            if (packs) {
                picture.width = png.width();
                picture.height = png.height();
                picture.opaque = runs.opaque();
                picture.runs = runs.finish();
                return picture;
            }
            // Pictures without flat areas (noise, photos) don't pack: read whole below.
        }
    }
    SDL_Surface* decoded = loadWhole(fullPath);
    if (pack && decoded && decoded->format->format == SDL_PIXELFORMAT_RGB24 && !SDL_MUSTLOCK(decoded)) {
        picture.runs = packRgbRuns(decoded);
        if (!picture.runs.empty()) {
            picture.width = decoded->w;
            picture.height = decoded->h;
            picture.opaque = true;
            SDL_FreeSurface(decoded);
            return picture;
        }
    }
    SDL_Surface* owner = nullptr;
    SDL_Surface* surface = toEngineLayout(decoded, &owner);
    if (!surface) {
        picture.error = IMG_GetError();
        return picture;
    }
    picture.width = surface->w;
    picture.height = surface->h;
    picture.opaque = everyPixelOpaque(surface);
    if (pack) {
        picture.runs = packRuns(surface);
    }
    if (picture.runs.empty()) {
        picture.surface = surface;
        picture.pixelOwner = owner;
    } else {
        pixel_pool::giveBack(surface);
        if (owner) {
            SDL_FreeSurface(owner);
        }
    }
    return picture;
}

} // namespace pictures

namespace ext {
long long pictureDecodeCount() {
    return pictures::g_fileDecodes.load();
}
} // namespace ext
} // namespace cocos2d
