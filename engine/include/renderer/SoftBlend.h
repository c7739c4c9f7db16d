#pragma once
// Drawing 32-bit ARGB pictures straight into a software frame, as SDL's software renderer
// would (straight alpha, colour and alpha modulation, copy / blend / add), but a few times
// faster for what games draw: four pixels at a time, runs of opaque pixels copied and clear
// ones skipped without blending.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cocos2d::soft {

// An image or the frame: `pitch` is in bytes.
struct Pixels {
    uint32_t* data = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;

    uint32_t* row(int y) const {
        return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(data) +
                                           static_cast<intptr_t>(y) * pitch);
    }
};

enum class Mode { Copy, Blend, Add };

// Each channel of the picture is multiplied by the tint's over 255 before it is drawn.
struct Tint {
    uint8_t r = 255, g = 255, b = 255, a = 255;
    bool plain() const { return (r & g & b & a) == 255; }
};

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

// Draws n source pixels over n frame pixels. `mixed`: the pixels seldom come in runs of clear or
// opaque ones (a turned picture), so none are looked for.
void drawRow(uint32_t* frame, const uint32_t* source, int n, Tint tint, Mode mode, bool mixed = false);

// The same, one pixel at a time: the definition the fast path must match exactly.
void drawRowReference(uint32_t* frame, const uint32_t* source, int n, Tint tint, Mode mode);

// A straight walk through an image: the position (u, t) in 16.16 fixed point and its step.
struct Walk {
    int32_t u = 0, t = 0, du = 0, dt = 0;
};

// Draws n frame pixels sampled at the nearest image pixel along the walk, clamped to the image
// (a turned picture, one row at a time).
void drawWalk(uint32_t* frame, int n, const Pixels& image, Walk walk, Tint tint, Mode mode);

// A picture of one colour held as its alpha alone: one byte a pixel, rows `width` bytes apart,
// each pixel drawn as `rgb` (0xRRGGBB) at that alpha. A quarter of the memory to read.
struct AlphaPixels {
    const uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    uint32_t rgb = 0;
};
// The same walk through such a picture: as drawWalk over its pixels written out in full.
void drawWalk(uint32_t* frame, int n, const AlphaPixels& image, Walk walk, Tint tint, Mode mode);

// Draws the image's `from` box into the frame's `to` box, sampling the nearest pixel when the
// sizes differ, clipped to the frame. `scratch` is working space, kept between calls.
void drawBox(const Pixels& frame, const Pixels& image, Box from, Box to, Tint tint, Mode mode,
             std::vector<uint32_t>& scratch);

// An image held run-length packed: pairs of (run length, pixel), the runs going on across rows.
struct PackedPixels {
    const uint32_t* runs = nullptr;
    size_t count = 0; // entries, two a run
    int width = 0;
    int height = 0;
};

// drawBox for a packed image drawn at its own size (from and to of one size): the runs are read
// once from the top, a row at a time, and the image is never written out whole. Draws exactly
// what drawBox draws from the pixels written out in full.
void drawPackedBox(const Pixels& frame, const PackedPixels& image, Box from, Box to, Tint tint, Mode mode,
                   std::vector<uint32_t>& scratch);

} // namespace cocos2d::soft
