#include "renderer/PixelPool.h"

#include <SDL.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace cocos2d {
namespace pixel_pool {

namespace {
// Marks the surfaces made here (their userdata).
char g_ourSurface;
// Spare pixels beyond this are freed at once: a background and a heroine's worth. Backgrounds
// are mostly drawn from their runs now, so it is heroines that come back here; 8 MiB held 2 MiB
// more at a play's peak for no fewer slow frames.
constexpr size_t kMaxSpareBytes = 6u * 1024 * 1024;

struct Spare {
    size_t bytes;
    void* pixels;
    unsigned returned; // Director frame
};

struct Spares {
    std::mutex mutex;
    std::vector<Spare> list;
    unsigned now = 0; // the latest frame dropIdle was told
    size_t total() const {
        size_t sum = 0;
        for (const Spare& spare : list) {
            sum += spare.bytes;
        }
        return sum;
    }
};

// Never destroyed: textures may still give pixels back while statics go at exit.
Spares& spares() {
    static auto* instance = new Spares();
    return *instance;
}
} // namespace

SDL_Surface* take(int width, int height) {
    if (width <= 0 || height <= 0 || width > (1 << 14) || height > (1 << 14)) {
        return nullptr;
    }
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    void* pixels = nullptr;
    {
        Spares& all = spares();
        std::lock_guard<std::mutex> lock(all.mutex);
        auto found = std::find_if(all.list.begin(), all.list.end(),
                                  [bytes](const Spare& s) { return s.bytes == bytes; });
        if (found != all.list.end()) {
            pixels = found->pixels;
            all.list.erase(found);
        }
    }
    if (!pixels) {
        pixels = SDL_malloc(bytes);
    }
    SDL_Surface* surface = pixels ? SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, width * 4,
                                                                       SDL_PIXELFORMAT_ARGB8888)
                                  : nullptr;
    if (!surface) {
        SDL_free(pixels);
        return nullptr;
    }
    // The surface owns its pixels as far as SDL knows: freed anywhere else, they go with it.
    surface->flags &= ~static_cast<Uint32>(SDL_PREALLOC);
    surface->userdata = &g_ourSurface;
    return surface;
}

void giveBack(SDL_Surface* surface) {
    if (!surface || surface->userdata != &g_ourSurface || (surface->flags & SDL_PREALLOC) != 0) {
        SDL_FreeSurface(surface);
        return;
    }
    const size_t bytes = static_cast<size_t>(surface->pitch) * static_cast<size_t>(surface->h);
    void* pixels = surface->pixels;
    surface->flags |= SDL_PREALLOC; // the surface goes, its pixels stay
    SDL_FreeSurface(surface);
    Spares& all = spares();
    std::unique_lock<std::mutex> lock(all.mutex);
    if (all.total() + bytes > kMaxSpareBytes) {
        lock.unlock();
        SDL_free(pixels);
        return;
    }
    all.list.push_back(Spare{bytes, pixels, all.now});
}

void dropIdle(unsigned now, unsigned maxIdleFrames) {
    Spares& all = spares();
    std::lock_guard<std::mutex> lock(all.mutex);
    all.now = now;
    all.list.erase(std::remove_if(all.list.begin(), all.list.end(),
                                  [&](const Spare& spare) {
                                      if (now - spare.returned <= maxIdleFrames) {
                                          return false;
                                      }
                                      SDL_free(spare.pixels);
                                      return true;
                                  }),
                   all.list.end());
}

} // namespace pixel_pool
} // namespace cocos2d
