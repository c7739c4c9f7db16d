#include "renderer/CCTexture2D.h"

#include <SDL.h>
#include <SDL_image.h>

#include "base/CCDirector.h"
#include "renderer/RenderTargets.h"
#include "renderer/TurnedImages.h"

NS_CC_BEGIN

namespace {
// One pixel layout everywhere (images, text, the headless frame) keeps SDL on its fast blits.
constexpr Uint32 kPixelFormat = SDL_PIXELFORMAT_ARGB8888;

SDL_Surface* toEnginePixels(SDL_Surface* surface) {
    if (!surface || surface->format->format == kPixelFormat) {
        return surface;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, kPixelFormat, 0);
    SDL_FreeSurface(surface);
    return converted;
}

bool everyPixelOpaque(const SDL_Surface* surface) {
    for (int y = 0; y < surface->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                          y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            if ((row[x] >> 24) != 0xFF) {
                return false;
            }
        }
    }
    return true;
}
} // namespace

Texture2D::Texture2D() = default;

Texture2D::~Texture2D() {
    releaseTexture();
    releaseScaledCopy();
    if (_surface) {
        SDL_FreeSurface(_surface);
    }
}

bool Texture2D::initWithSurface(SDL_Surface* surface) {
    surface = toEnginePixels(surface);
    if (!surface) {
        return false;
    }
    updateWithSurface(surface);
    return true;
}

bool Texture2D::initWithImageFile(const std::string& fullPath) {
    SDL_Surface* surface = IMG_Load(fullPath.c_str());
    if (!surface) {
        return false;
    }
    _path = fullPath;
    return initWithSurface(surface);
}

void Texture2D::updateWithSurface(SDL_Surface* surface) {
    surface = toEnginePixels(surface);
    if (_surface) {
        SDL_FreeSurface(_surface);
    }
    _surface = surface;
    int w = surface ? surface->w : 0;
    int h = surface ? surface->h : 0;
    if (w != _pixelsWide || h != _pixelsHigh) {
        releaseTexture();
    }
    _pixelsWide = w;
    _pixelsHigh = h;
    _contentSizeInPixels = Size(static_cast<float>(w), static_cast<float>(h));
    _opaque = surface && everyPixelOpaque(surface);
    _dirty = true;
    _turned.reset();
    _turnedBuilt = false;
    releaseScaledCopy();
}

const TurnedImages* Texture2D::getTurnedImages() {
    if (!_turnedBuilt) {
        _turned = TurnedImages::build(_surface);
        _turnedBuilt = true;
    }
    return _turned.get();
}

void Texture2D::setAliasTexParameters() {
    _aliased = true;
    if (_texture && render_targets::isAlive(_generation)) {
        SDL_SetTextureScaleMode(_texture, SDL_ScaleModeNearest);
    }
}

void Texture2D::setAntiAliasTexParameters() {
    _aliased = false;
    if (_texture && render_targets::isAlive(_generation)) {
        SDL_SetTextureScaleMode(_texture, SDL_ScaleModeLinear);
    }
}

Size Texture2D::getContentSize() const {
    float factor = Director::getInstance()->getContentScaleFactor();
    return Size(_pixelsWide / factor, _pixelsHigh / factor);
}

void Texture2D::releaseTexture() {
    if (_texture && render_targets::isAlive(_generation)) {
        SDL_DestroyTexture(_texture);
    }
    _texture = nullptr;
    _generation = 0;
}

void Texture2D::releaseScaledCopy() {
    if (_scaled && render_targets::isAlive(_scaledGeneration)) {
        SDL_DestroyTexture(_scaled);
    }
    _scaled = nullptr;
    _scaledGeneration = 0;
}

SDL_Texture* Texture2D::getScaledCopy(SDL_Renderer* renderer, int width, int height, Color4B tint, bool overBlack,
                                      unsigned frame) {
    const ScaledLook look{width, height, tint, overBlack};
    const unsigned int generation = render_targets::generationOf(renderer);
    if (_scaled && _scaledGeneration == generation && _scaledLook == look) {
        return _scaled;
    }
    const bool askedBefore = _askedLook == look && frame - _askedFrame <= 1;
    _askedLook = look;
    _askedFrame = frame;
    if (!askedBefore || !_surface || width <= 0 || height <= 0 || generation == 0) {
        return nullptr;
    }
    SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, kPixelFormat);
    if (!copy) {
        return nullptr;
    }
    if (width == _pixelsWide && height == _pixelsHigh) {
        SDL_SetSurfaceBlendMode(_surface, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(_surface, nullptr, copy, nullptr);
    } else if (_aliased) {
        SDL_SetSurfaceBlendMode(_surface, SDL_BLENDMODE_NONE);
        SDL_BlitScaled(_surface, nullptr, copy, nullptr);
    } else {
        SDL_SoftStretchLinear(_surface, nullptr, copy, nullptr);
    }
    // Tint and opacity as the renderer applies them: each channel times the tint over 255.
    // Over black, each colour is also weighed by the alpha, as blending would.
    if (overBlack || tint.r != 255 || tint.g != 255 || tint.b != 255 || tint.a != 255) {
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + y * copy->pitch);
            for (int x = 0; x < width; ++x) {
                const Uint32 p = row[x];
                Uint32 a = (p >> 24) * tint.a / 255, r = ((p >> 16) & 0xFF) * tint.r / 255,
                       g = ((p >> 8) & 0xFF) * tint.g / 255, b = (p & 0xFF) * tint.b / 255;
                if (overBlack) {
                    r = r * a / 255;
                    g = g * a / 255;
                    b = b * a / 255;
                    a = 255;
                }
                row[x] = a << 24 | r << 16 | g << 8 | b;
            }
        }
    }
    releaseScaledCopy();
    _scaled = SDL_CreateTextureFromSurface(renderer, copy);
    SDL_FreeSurface(copy);
    if (!_scaled) {
        return nullptr;
    }
    _scaledGeneration = generation;
    _scaledLook = look;
    return _scaled;
}

SDL_Texture* Texture2D::getSDLTexture(SDL_Renderer* renderer) {
    unsigned int generation = render_targets::generationOf(renderer);
    if (_texture && _generation != generation) {
        releaseTexture();
    }
    if (!_surface || _pixelsWide <= 0 || _pixelsHigh <= 0 || generation == 0) {
        return nullptr;
    }
    if (!_texture) {
        _texture = SDL_CreateTexture(renderer, kPixelFormat, SDL_TEXTUREACCESS_STATIC, _pixelsWide, _pixelsHigh);
        if (!_texture) {
            return nullptr;
        }
        _generation = generation;
        SDL_SetTextureScaleMode(_texture, _aliased ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        _dirty = true;
    }
    if (_dirty) {
        SDL_UpdateTexture(_texture, nullptr, _surface->pixels, _surface->pitch);
        _dirty = false;
        ++_uploadCount;
    }
    return _texture;
}

NS_CC_END
