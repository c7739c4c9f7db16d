#include "renderer/SoftBlend.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define SOFT_BLEND_SSE2 1
#endif

namespace cocos2d::soft {

namespace {

// x / 255 rounded down, exact for 0 <= x <= 255 * 255.
inline uint32_t div255(uint32_t x) {
    return (x + 1 + (x >> 8)) >> 8;
}

inline uint32_t tinted(uint32_t p, Tint t) {
    return div255((p >> 24) * t.a) << 24 | div255(((p >> 16) & 0xFF) * t.r) << 16 |
           div255(((p >> 8) & 0xFF) * t.g) << 8 | div255((p & 0xFF) * t.b);
}

inline uint32_t blended(uint32_t s, uint32_t d) {
    const uint32_t a = s >> 24, keep = 255 - a;
    const uint32_t r = div255(((s >> 16) & 0xFF) * a + ((d >> 16) & 0xFF) * keep);
    const uint32_t g = div255(((s >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * keep);
    const uint32_t b = div255((s & 0xFF) * a + (d & 0xFF) * keep);
    const uint32_t da = div255(255 * a + (d >> 24) * keep);
    return da << 24 | r << 16 | g << 8 | b;
}

inline uint32_t added(uint32_t s, uint32_t d) {
    const uint32_t a = s >> 24;
    const uint32_t r = std::min<uint32_t>(255, ((d >> 16) & 0xFF) + div255(((s >> 16) & 0xFF) * a));
    const uint32_t g = std::min<uint32_t>(255, ((d >> 8) & 0xFF) + div255(((s >> 8) & 0xFF) * a));
    const uint32_t b = std::min<uint32_t>(255, (d & 0xFF) + div255((s & 0xFF) * a));
    return (d & 0xFF000000u) | r << 16 | g << 8 | b;
}

inline uint32_t drawPixel(uint32_t s, uint32_t d, Tint tint, Mode mode) {
    if (!tint.plain()) {
        s = tinted(s, tint);
    }
    switch (mode) {
    case Mode::Copy:
        return s;
    case Mode::Blend:
        return blended(s, d);
    case Mode::Add:
        return added(s, d);
    }
    return d;
}

#ifdef SOFT_BLEND_SSE2
inline __m128i div255x8(__m128i x) {
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)), 8);
}

// Each 16-bit lane's alpha (lanes 3 and 7) copied over its pixel's four lanes.
inline __m128i alphas(__m128i pixels16) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels16, 0xFF), 0xFF);
}

inline __m128i tint4(__m128i s, __m128i tint16) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = div255x8(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), tint16));
    const __m128i hi = div255x8(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), tint16));
    return _mm_packus_epi16(lo, hi);
}

// Four source pixels blended over four frame pixels, with blended() per pixel.
inline __m128i blend4(__m128i s, __m128i d) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    // The alpha lane blends 255 by the source alpha, which gives the frame's new alpha.
    const __m128i alphaLanes = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
    __m128i result[2];
    for (int half = 0; half < 2; ++half) {
        const __m128i s16 = half == 0 ? _mm_unpacklo_epi8(s, zero) : _mm_unpackhi_epi8(s, zero);
        const __m128i d16 = half == 0 ? _mm_unpacklo_epi8(d, zero) : _mm_unpackhi_epi8(d, zero);
        const __m128i a = alphas(s16);
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(_mm_or_si128(s16, alphaLanes), a),
                                          _mm_mullo_epi16(d16, _mm_sub_epi16(full, a)));
        result[half] = div255x8(sum);
    }
    return _mm_packus_epi16(result[0], result[1]);
}

// Four source pixels added onto four frame pixels, with added() per pixel.
inline __m128i add4(__m128i s, __m128i d) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourLanes = _mm_set_epi16(0, 255, 255, 255, 0, 255, 255, 255);
    const __m128i lo = _mm_unpacklo_epi8(s, zero), hi = _mm_unpackhi_epi8(s, zero);
    const __m128i lo16 = div255x8(_mm_mullo_epi16(_mm_and_si128(lo, colourLanes), alphas(lo)));
    const __m128i hi16 = div255x8(_mm_mullo_epi16(_mm_and_si128(hi, colourLanes), alphas(hi)));
    return _mm_adds_epu8(d, _mm_packus_epi16(lo16, hi16));
}
#endif

} // namespace

void drawRowReference(uint32_t* frame, const uint32_t* source, int n, Tint tint, Mode mode) {
    for (int i = 0; i < n; ++i) {
        frame[i] = drawPixel(source[i], frame[i], tint, mode);
    }
}

namespace {
#ifdef SOFT_BLEND_SSE2
// Groups of four pixels that are all clear are skipped and all opaque ones copied: worth it
// for pictures with runs of either, a branch mispredicted too often for mixed ones.
template <Mode mode, bool plain, bool checkRuns>
int drawGroups(uint32_t* frame, const uint32_t* source, int n, Tint tint) {
    const __m128i tint16 = _mm_set_epi16(tint.a, tint.r, tint.g, tint.b, tint.a, tint.r, tint.g, tint.b);
    const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        if (!plain) {
            s = tint4(s, tint16);
        }
        auto* out = reinterpret_cast<__m128i*>(frame + i);
        if (mode == Mode::Copy) {
            _mm_storeu_si128(out, s);
            continue;
        }
        if (checkRuns) {
            const __m128i a = _mm_and_si128(s, alphaBytes);
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(a, _mm_setzero_si128())) == 0xFFFF) {
                continue; // all four clear
            }
            if (mode == Mode::Blend && _mm_movemask_epi8(_mm_cmpeq_epi32(a, alphaBytes)) == 0xFFFF) {
                _mm_storeu_si128(out, s); // all four opaque
                continue;
            }
        }
        const __m128i d = _mm_loadu_si128(out);
        _mm_storeu_si128(out, mode == Mode::Blend ? blend4(s, d) : add4(s, d));
    }
    return i;
}

template <Mode mode, bool checkRuns>
int drawGroups(uint32_t* frame, const uint32_t* source, int n, Tint tint) {
    return tint.plain() ? drawGroups<mode, true, checkRuns>(frame, source, n, tint)
                        : drawGroups<mode, false, checkRuns>(frame, source, n, tint);
}
#endif
} // namespace

void drawRow(uint32_t* frame, const uint32_t* source, int n, Tint tint, Mode mode, bool mixed) {
    if (n <= 0) {
        return;
    }
    if (mode == Mode::Copy && tint.plain()) {
        std::memcpy(frame, source, static_cast<size_t>(n) * sizeof(uint32_t));
        return;
    }
    int i = 0;
#ifdef SOFT_BLEND_SSE2
    switch (mode) {
    case Mode::Copy:
        i = drawGroups<Mode::Copy, false>(frame, source, n, tint);
        break;
    case Mode::Blend:
        i = mixed ? drawGroups<Mode::Blend, false>(frame, source, n, tint)
                  : drawGroups<Mode::Blend, true>(frame, source, n, tint);
        break;
    case Mode::Add:
        i = mixed ? drawGroups<Mode::Add, false>(frame, source, n, tint)
                  : drawGroups<Mode::Add, true>(frame, source, n, tint);
        break;
    }
#else
    (void)mixed;
#endif
    drawRowReference(frame + i, source + i, n - i, tint, mode);
}

namespace {
// The walk through an image `width` x `height` whose rows are `pitch` elements apart; fetch(i)
// gives the ARGB pixel at element i.
template <typename Fetch>
void walkInto(uint32_t* frame, int n, int width, int height, int pitch, Walk walk, Tint tint, Mode mode,
              Fetch fetch) {
    const int32_t maxU = width - 1, maxT = height - 1;
    const auto sample = [&](int32_t u, int32_t t) {
        return fetch(static_cast<size_t>(std::clamp(t >> 16, 0, maxT)) * static_cast<size_t>(pitch) +
                     static_cast<size_t>(std::clamp(u >> 16, 0, maxU)));
    };
    int i = 0;
#ifdef SOFT_BLEND_SSE2
    // Four positions at a time: clamped as 16-bit pairs (u, t), whose index u + t * pitch is one
    // multiply-add. Needs the image to fit in 16-bit coordinates.
    if (pitch <= 32767 && height <= 32767 && width <= 32767) {
        const __m128i limits =
            _mm_set_epi16(static_cast<short>(maxT), static_cast<short>(maxT), static_cast<short>(maxT),
                          static_cast<short>(maxT), static_cast<short>(maxU), static_cast<short>(maxU),
                          static_cast<short>(maxU), static_cast<short>(maxU));
        const __m128i rowStep = _mm_set_epi16(static_cast<short>(pitch), 1, static_cast<short>(pitch), 1,
                                              static_cast<short>(pitch), 1, static_cast<short>(pitch), 1);
        const __m128i tint16 = _mm_set_epi16(tint.a, tint.r, tint.g, tint.b, tint.a, tint.r, tint.g, tint.b);
        const bool plain = tint.plain();
        __m128i u = _mm_set_epi32(walk.u + 3 * walk.du, walk.u + 2 * walk.du, walk.u + walk.du, walk.u);
        __m128i t = _mm_set_epi32(walk.t + 3 * walk.dt, walk.t + 2 * walk.dt, walk.t + walk.dt, walk.t);
        const __m128i du = _mm_set1_epi32(4 * walk.du), dt = _mm_set1_epi32(4 * walk.dt);
        alignas(16) int32_t index[4];
        for (; i + 4 <= n; i += 4) {
            __m128i ut = _mm_packs_epi32(_mm_srai_epi32(u, 16), _mm_srai_epi32(t, 16));
            ut = _mm_min_epi16(_mm_max_epi16(ut, _mm_setzero_si128()), limits);
            const __m128i pairs = _mm_unpacklo_epi16(ut, _mm_srli_si128(ut, 8));
            _mm_store_si128(reinterpret_cast<__m128i*>(index), _mm_madd_epi16(pairs, rowStep));
            __m128i s = _mm_set_epi32(static_cast<int>(fetch(static_cast<size_t>(index[3]))),
                                      static_cast<int>(fetch(static_cast<size_t>(index[2]))),
                                      static_cast<int>(fetch(static_cast<size_t>(index[1]))),
                                      static_cast<int>(fetch(static_cast<size_t>(index[0]))));
            if (!plain) {
                s = tint4(s, tint16);
            }
            auto* out = reinterpret_cast<__m128i*>(frame + i);
            const __m128i d = _mm_loadu_si128(out);
            _mm_storeu_si128(out, mode == Mode::Copy ? s : mode == Mode::Blend ? blend4(s, d) : add4(s, d));
            u = _mm_add_epi32(u, du);
            t = _mm_add_epi32(t, dt);
        }
    }
#endif
    for (; i < n; ++i) {
        frame[i] = drawPixel(sample(walk.u + i * walk.du, walk.t + i * walk.dt), frame[i], tint, mode);
    }
}
} // namespace

void drawWalk(uint32_t* frame, int n, const Pixels& image, Walk walk, Tint tint, Mode mode) {
    const uint32_t* data = image.data;
    walkInto(frame, n, image.width, image.height, image.pitch / 4, walk, tint, mode,
             [data](size_t i) { return data[i]; });
}

void drawWalk(uint32_t* frame, int n, const AlphaPixels& image, Walk walk, Tint tint, Mode mode) {
    const uint8_t* data = image.data;
    const uint32_t rgb = image.rgb & 0xFFFFFFu;
    walkInto(frame, n, image.width, image.height, image.width, walk, tint, mode,
             [data, rgb](size_t i) { return static_cast<uint32_t>(data[i]) << 24 | rgb; });
}

void drawBox(const Pixels& frame, const Pixels& image, Box from, Box to, Tint tint, Mode mode,
             std::vector<uint32_t>& scratch) {
    if (from.w <= 0 || from.h <= 0 || to.w <= 0 || to.h <= 0) {
        return;
    }
    const int x0 = std::max(0, to.x), x1 = std::min(frame.width, to.x + to.w);
    const int y0 = std::max(0, to.y), y1 = std::min(frame.height, to.y + to.h);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const bool sameSize = from.w == to.w && from.h == to.h;
    // The column map, then the row gathered through it.
    scratch.resize(2 * static_cast<size_t>(x1 - x0));
    uint32_t* columns = scratch.data();
    uint32_t* gathered = columns + (x1 - x0);
    // Nearest sampling: frame column x shows image column from.x + (x - to.x + 1/2) * from.w / to.w.
    if (!sameSize) {
        for (int x = x0; x < x1; ++x) {
            const int64_t along = (2 * static_cast<int64_t>(x - to.x) + 1) * from.w / (2 * to.w);
            columns[x - x0] = static_cast<uint32_t>(from.x + std::min<int64_t>(along, from.w - 1));
        }
    }
    for (int y = y0; y < y1; ++y) {
        const int64_t down = (2 * static_cast<int64_t>(y - to.y) + 1) * from.h / (2 * to.h);
        const int sy = from.y + static_cast<int>(std::min<int64_t>(down, from.h - 1));
        const uint32_t* source = image.row(sy);
        if (sameSize) {
            drawRow(frame.row(y) + x0, source + from.x + (x0 - to.x), x1 - x0, tint, mode);
            continue;
        }
        for (int x = 0; x < x1 - x0; ++x) {
            gathered[x] = source[columns[x]];
        }
        drawRow(frame.row(y) + x0, gathered, x1 - x0, tint, mode);
    }
}

namespace {
// Runs are short (5 to 20 pixels in painted backgrounds): four pixels a store.
inline void fillPixels(uint32_t* out, size_t n, uint32_t pixel) {
#ifdef SOFT_BLEND_SSE2
    const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
    for (; n >= 4; n -= 4, out += 4) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), four);
    }
#endif
    for (; n > 0; --n) {
        *out++ = pixel;
    }
}

// Reads packed runs in order; past their end it gives clear pixels.
class RunReader {
public:
    explicit RunReader(const PackedPixels& image) : _next(image.runs), _end(image.runs + image.count) {}

    // The next n pixels as pieces of one colour: piece(pixel, count), in order.
    template <typename Piece> void take(size_t n, Piece&& piece) {
        while (n > 0) {
            if (_left == 0 && !nextRun()) {
                piece(0u, n);
                return;
            }
            const size_t k = std::min<size_t>(_left, n);
            piece(_pixel, k);
            n -= k;
            _left -= static_cast<uint32_t>(k);
        }
    }

    void skip(size_t n) {
        while (n > 0) {
            if (_left == 0 && !nextRun()) {
                return;
            }
            const size_t k = std::min<size_t>(_left, n);
            n -= k;
            _left -= static_cast<uint32_t>(k);
        }
    }

private:
    bool nextRun() {
        if (_end - _next < 2) {
            return false;
        }
        _left = _next[0];
        _pixel = _next[1];
        _next += 2;
        return true;
    }

    const uint32_t* _next;
    const uint32_t* _end;
    uint32_t _left = 0;
    uint32_t _pixel = 0;
};
} // namespace

void drawPackedBox(const Pixels& frame, const PackedPixels& image, Box from, Box to, Tint tint, Mode mode,
                   std::vector<uint32_t>& scratch) {
    if (from.w <= 0 || from.h <= 0 || from.w != to.w || from.h != to.h || from.x < 0 || from.y < 0 ||
        from.x + from.w > image.width || from.y + from.h > image.height) {
        return;
    }
    const int x0 = std::max(0, to.x), x1 = std::min(frame.width, to.x + to.w);
    const int y0 = std::max(0, to.y), y1 = std::min(frame.height, to.y + to.h);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const auto n = static_cast<size_t>(x1 - x0);
    const auto width = static_cast<size_t>(image.width);
    RunReader runs(image);
    runs.skip(static_cast<size_t>(from.y + (y0 - to.y)) * width + static_cast<size_t>(from.x + (x0 - to.x)));
    // A plain copy goes straight into the frame; anything else through one row of pixels.
    const bool straight = mode == Mode::Copy && tint.plain();
    scratch.resize(straight ? 0 : n);
    for (int y = y0; y < y1; ++y) {
        uint32_t* out = frame.row(y) + x0;
        uint32_t* row = straight ? out : scratch.data();
        runs.take(n, [&row](uint32_t pixel, size_t count) {
            fillPixels(row, count, pixel);
            row += count;
        });
        if (!straight) {
            drawRow(out, scratch.data(), static_cast<int>(n), tint, mode);
        }
        runs.skip(width - n);
    }
}

} // namespace cocos2d::soft
