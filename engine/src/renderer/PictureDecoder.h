#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct SDL_Surface;

// Reading a picture file into the engine's pixel layout (ARGB8888), and the run-length packing
// of pictures off screen. Nothing here touches the Director, the cache or a renderer, so the
// texture cache's loader thread decodes with it while the main thread draws.
namespace cocos2d {
namespace pictures {

// A picture read from a file: either packed (runs non-empty, no surface) or whole (an ARGB
// surface, possibly a view over pixels `pixelOwner` holds). Frees what it holds when it goes.
struct DecodedPicture {
    DecodedPicture() = default;
    DecodedPicture(DecodedPicture&& other) noexcept;
    DecodedPicture& operator=(DecodedPicture&& other) noexcept;
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;
    ~DecodedPicture();

    bool empty() const { return width <= 0 || height <= 0; }
    // Hands the surfaces over to the caller (they are no longer freed here).
    void releaseSurfaces();

    int width = 0;
    int height = 0;
    bool opaque = false;
    std::vector<uint32_t> runs; // pairs: run length, pixel repeated (runs go on across rows)
    SDL_Surface* surface = nullptr;
    SDL_Surface* pixelOwner = nullptr;
    std::string error; // why the file could not be read, when empty()
};

// IMG_Load, counted (ext::pictureDecodeCount). Thread-safe.
SDL_Surface* readFile(const std::string& fullPath);
// Decodes `fullPath` and packs it when it packs to half its size or less (the loader thread
// holds pictures packed until they are drawn). Thread-safe.
DecodedPicture decodeFile(const std::string& fullPath, bool pack);

// Packs a picture's surface (and the surface owning its pixels, if any), taking both over: the
// runs, or an empty picture when it doesn't pack. Set from another thread, `stop` ends the
// packing within a row: the picture then holds the surfaces as they were. Thread-safe.
DecodedPicture packSurface(SDL_Surface* surface, SDL_Surface* owner, const std::atomic<bool>* stop = nullptr);

// Puts a decoded surface into the engine's layout, taking it over. PNGs with alpha (R, G, B, A
// bytes) have red and blue swapped in place, and the ARGB view over those pixels is returned
// with *owner set to the surface that owns them; anything else is converted (*owner null).
// nullptr if that fails (the surface is freed).
SDL_Surface* toEngineLayout(SDL_Surface* surface, SDL_Surface** owner);
bool everyPixelOpaque(const SDL_Surface* surface);

// Every pixel of one colour, whatever its alpha (a glow, lines drawn in one ink): that colour
// (0xRRGGBB) in *rgb.
bool oneColour(const SDL_Surface* image, uint32_t* rgb);
// The alpha of each pixel, row after row.
std::vector<uint8_t> alphaOf(const SDL_Surface* image);
// The same from packed runs of `pixelCount` pixels, without unpacking them: empty when they are
// not all of one colour.
std::vector<uint8_t> alphaOfRuns(const std::vector<uint32_t>& runs, size_t pixelCount, uint32_t* rgb);
// The pixels as runs, or nothing when they would take more than half the unpacked size.
std::vector<uint32_t> packRuns(const SDL_Surface* image, const std::atomic<bool>* stop = nullptr);

} // namespace pictures
} // namespace cocos2d
