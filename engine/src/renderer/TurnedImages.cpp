#include "renderer/TurnedImages.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

namespace {

constexpr float kPi = 3.14159265358979f;

// Premultiplied colour: interpolating it keeps transparent neighbours from darkening edges.
struct Premul {
    float a = 0, r = 0, g = 0, b = 0;
};

// The image as premultiplied floats with a transparent border one texel wide, so bilinear
// sampling near and past the edges needs no bounds checks.
class Source {
public:
    explicit Source(const SDL_Surface* surface)
        : _pixels(static_cast<const Uint8*>(surface->pixels)), _pitch(surface->pitch), _w(surface->w),
          _h(surface->h), _stride(surface->w + 2),
          _texels(static_cast<size_t>(surface->w + 2) * static_cast<size_t>(surface->h + 2)) {
        for (int y = 0; y < _h; ++y) {
            for (int x = 0; x < _w; ++x) {
                const Uint32 p = at(x, y);
                const float a = static_cast<float>(p >> 24) / 255.0f;
                _texels[static_cast<size_t>(y + 1) * _stride + x + 1] = {
                    a, a * static_cast<float>((p >> 16) & 0xFF), a * static_cast<float>((p >> 8) & 0xFF),
                    a * static_cast<float>(p & 0xFF)};
            }
        }
    }

    Uint32 at(int x, int y) const {
        return reinterpret_cast<const Uint32*>(_pixels + static_cast<size_t>(y) * _pitch)[x];
    }
    int width() const { return _w; }
    int height() const { return _h; }

    // Bilinear sample at image coordinates (pixel centres at +0.5); transparent outside.
    Premul sample(float x, float y) const {
        // Shift by the border and by half a texel to land on texel corners.
        x += 0.5f;
        y += 0.5f;
        if (!(x >= 0.0f && y >= 0.0f && x < static_cast<float>(_w + 1) && y < static_cast<float>(_h + 1))) {
            return {};
        }
        const int x0 = static_cast<int>(x);
        const int y0 = static_cast<int>(y);
        const float tx = x - static_cast<float>(x0);
        const float ty = y - static_cast<float>(y0);
        const Premul* top = &_texels[static_cast<size_t>(y0) * _stride + x0];
        const Premul* bottom = top + _stride;
        auto mix = [&](float Premul::*field) {
            const float upper = top[0].*field + (top[1].*field - top[0].*field) * tx;
            const float lower = bottom[0].*field + (bottom[1].*field - bottom[0].*field) * tx;
            return upper + (lower - upper) * ty;
        };
        return {mix(&Premul::a), mix(&Premul::r), mix(&Premul::g), mix(&Premul::b)};
    }

private:
    const Uint8* _pixels;
    int _pitch;
    int _w;
    int _h;
    size_t _stride;
    std::vector<Premul> _texels;
};

Uint32 toStraightPixel(const Premul& p) {
    if (p.a <= 0.0f) {
        return 0;
    }
    auto channel = [&p](float premultiplied) {
        return static_cast<Uint32>(std::clamp(premultiplied / p.a + 0.5f, 0.0f, 255.0f));
    };
    const auto alpha = static_cast<Uint32>(std::clamp(p.a * 255.0f + 0.5f, 0.0f, 255.0f));
    return (alpha << 24) | (channel(p.r) << 16) | (channel(p.g) << 8) | channel(p.b);
}

// Farthest reach of any visible pixel from the centre, in units of the square the image is
// stretched to (side = the longer image side). Negative when nothing is visible.
float visibleRadius(const Source& source, float side) {
    const float sx = side / static_cast<float>(source.width());
    const float sy = side / static_cast<float>(source.height());
    const float halfDiagonal = 0.5f * std::hypot(sx, sy);
    float reach = -1.0f;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if ((source.at(x, y) >> 24) == 0) {
                continue;
            }
            const float dx = (static_cast<float>(x) + 0.5f) * sx - side * 0.5f;
            const float dy = (static_cast<float>(y) + 0.5f) * sy - side * 0.5f;
            reach = std::max(reach, std::hypot(dx, dy) + halfDiagonal);
        }
    }
    return reach;
}

} // namespace

std::unique_ptr<TurnedImages> TurnedImages::build(const SDL_Surface* surface) {
    if (!surface || surface->w <= 0 || surface->h <= 0 ||
        surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
        return nullptr;
    }
    const Source source(surface);
    const int side = std::max(source.width(), source.height());
    const float reach = visibleRadius(source, static_cast<float>(side));
    if (reach <= 0.0f) {
        return nullptr;
    }

    // Cell side in square units, and the cell's resolution (pixels per square unit).
    float cell = std::min(2.0f * reach, static_cast<float>(side) * std::sqrt(2.0f));
    int cellPixels = static_cast<int>(std::ceil(cell));
    if (cellPixels <= kMaxCellPixels) {
        // Same parity as the image keeps the unturned copy on the image's own pixel grid.
        if ((cellPixels - side) % 2 != 0) {
            ++cellPixels;
        }
        cell = static_cast<float>(cellPixels);
    } else {
        cellPixels = kMaxCellPixels;
    }
    const float resolution = static_cast<float>(cellPixels) / cell;

    // Enough steps that the outermost visible pixel moves about one cell pixel per step.
    const int wanted = static_cast<int>(std::ceil(2.0f * kPi * reach * resolution));
    const int steps = std::clamp((wanted + 7) / 8 * 8, 8, kMaxSteps);
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<float>(steps))));
    const int rows = (steps + columns - 1) / columns;
    const int pitch = cellPixels + 2; // a transparent pixel around every cell

    SDL_Surface* atlas =
        SDL_CreateRGBSurfaceWithFormat(0, columns * pitch, rows * pitch, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!atlas) {
        return nullptr;
    }
    SDL_FillRect(atlas, nullptr, 0);

    // Large images shrunk into the cell are averaged over a few samples per cell pixel.
    const int samples = std::clamp(static_cast<int>(std::ceil(1.0f / resolution)), 1, 2);
    const float imageX = static_cast<float>(source.width()) / static_cast<float>(side);
    const float imageY = static_cast<float>(source.height()) / static_cast<float>(side);
    const float half = static_cast<float>(side) * 0.5f;
    const float margin = reach + 1.0f / resolution;
    const float outside = margin * margin;
    for (int step = 0; step < steps; ++step) {
        const float radians = 2.0f * kPi * static_cast<float>(step) / static_cast<float>(steps);
        const float c = std::cos(radians);
        const float s = std::sin(radians);
        const int originX = (step % columns) * pitch + 1;
        const int originY = (step / columns) * pitch + 1;
        for (int py = 0; py < cellPixels; ++py) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(atlas->pixels) +
                                                  static_cast<size_t>(originY + py) * atlas->pitch);
            for (int px = 0; px < cellPixels; ++px) {
                // Nothing visible reaches past the radius at any angle: leave those pixels clear.
                const float cx = (static_cast<float>(px) + 0.5f) / resolution - cell * 0.5f;
                const float cy = (static_cast<float>(py) + 0.5f) / resolution - cell * 0.5f;
                if (cx * cx + cy * cy > outside) {
                    continue;
                }
                Premul sum;
                for (int sy = 0; sy < samples; ++sy) {
                    for (int sx = 0; sx < samples; ++sx) {
                        // Offset from the cell centre in square units (y down, as in the image).
                        const float dx =
                            (static_cast<float>(px) + (static_cast<float>(sx) + 0.5f) / samples) /
                                resolution -
                            cell * 0.5f;
                        const float dy =
                            (static_cast<float>(py) + (static_cast<float>(sy) + 0.5f) / samples) /
                                resolution -
                            cell * 0.5f;
                        // Turning the copy clockwise means reading the image counter-clockwise.
                        const float qx = dx * c + dy * s + half;
                        const float qy = -dx * s + dy * c + half;
                        const Premul p = source.sample(qx * imageX, qy * imageY);
                        sum.a += p.a;
                        sum.r += p.r;
                        sum.g += p.g;
                        sum.b += p.b;
                    }
                }
                const float n = static_cast<float>(samples * samples);
                row[originX + px] = toStraightPixel({sum.a / n, sum.r / n, sum.g / n, sum.b / n});
            }
        }
    }

    auto* texture = new (std::nothrow) Texture2D();
    if (!texture || !texture->initWithSurface(atlas)) {
        delete texture;
        return nullptr;
    }
    texture->setRemakeable();
    std::unique_ptr<TurnedImages> images(new TurnedImages());
    images->_texture = texture;
    images->_steps = steps;
    images->_columns = columns;
    images->_cellPixels = cellPixels;
    images->_cellScale = cell / static_cast<float>(side);
    return images;
}

TurnedImages::~TurnedImages() {
    if (_texture) {
        _texture->release();
    }
}

int TurnedImages::stepFor(float degrees) const {
    if (!std::isfinite(degrees)) {
        return 0;
    }
    const float turns = degrees / 360.0f;
    const float fraction = turns - std::floor(turns);
    return static_cast<int>(std::lround(fraction * static_cast<float>(_steps))) % _steps;
}

TurnedImages::TexRect TurnedImages::cellOf(int step) const {
    const int pitch = _cellPixels + 2;
    const float width = static_cast<float>(_texture->getPixelsWide());
    const float height = static_cast<float>(_texture->getPixelsHigh());
    const float x0 = static_cast<float>((step % _columns) * pitch + 1);
    const float y0 = static_cast<float>((step / _columns) * pitch + 1);
    const float extent = static_cast<float>(_cellPixels);
    return {x0 / width, y0 / height, (x0 + extent) / width, (y0 + extent) / height};
}

NS_CC_END
