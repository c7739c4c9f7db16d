#include "renderer/CCTexture2D.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <utility>

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "renderer/CCTextureCache.h"
#include "renderer/PictureDecoder.h"
#include "renderer/PixelPool.h"
#include "renderer/RenderTargets.h"
#include "renderer/SoftBlend.h"
#include "renderer/TurnedImages.h"

NS_CC_BEGIN

namespace {
// One pixel layout everywhere (images, text, the headless frame) keeps SDL on its fast blits.
constexpr Uint32 kPixelFormat = SDL_PIXELFORMAT_ARGB8888;

bool isSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

} // namespace

Texture2D::Texture2D() = default;

Texture2D::~Texture2D() {
    releaseTexture();
    releaseScaledCopy();
    freeSurface();
}

void Texture2D::freeSurface() {
    pixel_pool::giveBack(_surface);
    if (_pixelOwner) {
        SDL_FreeSurface(_pixelOwner);
    }
    _surface = nullptr;
    _pixelOwner = nullptr;
}

bool Texture2D::adoptSurface(SDL_Surface* surface) {
    SDL_Surface* owner = nullptr;
    surface = pictures::toEngineLayout(surface, &owner);
    if (!surface) {
        return false;
    }
    freeSurface();
    _surface = surface;
    _pixelOwner = owner;
    return true;
}

bool Texture2D::initWithSurface(SDL_Surface* surface) {
    if (!surface) {
        return false;
    }
    if (!adoptSurface(surface)) {
        return false;
    }
    // Already adopted: updateWithSurface keeps the same surface.
    updateWithSurface(_surface);
    return true;
}

bool Texture2D::initWithImageFile(const std::string& fullPath) {
    // A new texture is held packed from the start where its picture packs: drawn at its own
    // size (a background, a panel) it is drawn from its runs and never written out whole.
    if (_path.empty() && _pixelsWide == 0 && _pixelsHigh == 0) {
        return adoptDecodedPicture(fullPath, pictures::decodeFile(fullPath, true));
    }
    SDL_Surface* surface = pictures::readFile(fullPath);
    if (!surface) {
        return false;
    }
    _path = fullPath;
    markUsed();
    return initWithSurface(surface);
}

bool Texture2D::adoptDecodedPicture(const std::string& fullPath, pictures::DecodedPicture&& picture,
                                    bool loaded) {
    const bool fresh = _path.empty() && _pixelsWide == 0 && _pixelsHigh == 0;
    // A scaled copy may stay meanwhile (a portrait shown small while its original was packed).
    if (picture.empty() || _surface || _texture || !_packed.empty() ||
        (!fresh && (fullPath != _path || picture.width != _pixelsWide || picture.height != _pixelsHigh))) {
        return false;
    }
    if (picture.runs.empty()) {
        freeSurface();
        _surface = picture.surface;
        _pixelOwner = picture.pixelOwner;
        picture.releaseSurfaces();
    } else {
        _packed = std::move(picture.runs);
    }
    if (fresh) {
        _path = fullPath;
        _pixelsWide = picture.width;
        _pixelsHigh = picture.height;
        _contentSizeInPixels = Size(static_cast<float>(_pixelsWide), static_cast<float>(_pixelsHigh));
        _opaque = picture.opaque;
    }
    _dirty = true;
    if (loaded) {
        markUsed();
    }
    return true;
}

void Texture2D::updateWithSurface(SDL_Surface* surface) {
    if (surface != _surface) {
        if (surface) {
            if (!adoptSurface(surface)) {
                surface = nullptr;
            }
        } else {
            freeSurface();
        }
        surface = _surface;
    }
    int w = surface ? surface->w : 0;
    int h = surface ? surface->h : 0;
    if (w != _pixelsWide || h != _pixelsHigh) {
        releaseTexture();
    }
    _pixelsWide = w;
    _pixelsHigh = h;
    _contentSizeInPixels = Size(static_cast<float>(w), static_cast<float>(h));
    _opaque = surface && pictures::everyPixelOpaque(surface);
    _dirty = true;
    _turned.reset();
    _turnedBuilt = false;
    std::vector<uint8_t>().swap(_alphaCopy);
    _alphaTried = false;
    _overBlackFixups.reset();
    releaseScaledCopy();
}

bool Texture2D::reloadPixels() {
    if (!_packed.empty() && unpackPixels()) {
        markUsed();
        _dirty = true;
        return true;
    }
    if (_path.empty()) {
        return false;
    }
    // A read of the file already asked of the texture cache's loader thread is taken over.
    if (adoptDecodedPicture(_path, Director::getInstance()->getTextureCache()->takeAsyncReload(_path)) &&
        (_surface || unpackPixels())) {
        return true;
    }
    SDL_Surface* surface = pictures::readFile(_path);
    if (!surface || !adoptSurface(surface)) {
        log("Texture2D: can't read '%s' again: %s", _path.c_str(), IMG_GetError());
        return false;
    }
    markUsed();
    if (_surface->w != _pixelsWide || _surface->h != _pixelsHigh) {
        // The file changed under us: take it as new pixels.
        updateWithSurface(_surface);
    }
    _dirty = true;
    return true;
}

const std::vector<Texture2D::Fixup>* Texture2D::getOverBlackFixups() {
    if (!_overBlackFixups) {
        const SDL_Surface* image = getSurface();
        if (!image) {
            return nullptr;
        }
        auto fixups = std::make_unique<std::vector<Fixup>>();
        for (int y = 0; y < image->h; ++y) {
            const auto* row =
                reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(image->pixels) + y * image->pitch);
            for (int x = 0; x < image->w; ++x) {
                const Uint32 p = row[x], a = p >> 24;
                if (a != 255) {
                    fixups->push_back({x, y,
                                       0xFF000000u | (((p >> 16) & 0xFF) * a / 255) << 16 |
                                           (((p >> 8) & 0xFF) * a / 255) << 8 | ((p & 0xFF) * a / 255)});
                }
            }
        }
        fixups->shrink_to_fit();
        _overBlackFixups = std::move(fixups);
    }
    return _overBlackFixups.get();
}

bool Texture2D::pixelsLost() const {
    return _pixelsWide > 0 && !_surface && !(_texture && render_targets::isAlive(_generation));
}

void Texture2D::markUsed() {
    _lastUsedFrame = Director::getInstance()->getTotalFrames();
}

size_t Texture2D::getPixelBytes() const {
    const size_t image = static_cast<size_t>(_pixelsWide) * static_cast<size_t>(_pixelsHigh) * 4;
    return (_surface ? image : 0) + (_texture ? image : 0) +
           (_scaled ? static_cast<size_t>(_scaledWidth) * static_cast<size_t>(_scaledHeight) * 4 : 0) +
           _packed.size() * sizeof(uint32_t) + _alphaCopy.size();
}

void Texture2D::markOriginalUsed() {
    _originalUsedFrame = Director::getInstance()->getTotalFrames();
}

bool Texture2D::releasePixels(bool keepPacked) {
    if (_path.empty()) {
        return false;
    }
    releaseAll(keepPacked, false);
    return true;
}

void Texture2D::packOriginal() {
    if (!_path.empty()) {
        releaseAll(true, true);
    }
}

bool Texture2D::handOverPixels(SDL_Surface** surface, SDL_Surface** owner, bool keepScaledCopy) {
    if (_path.empty() || !_surface || _texture) {
        return false;
    }
    *surface = std::exchange(_surface, nullptr);
    *owner = std::exchange(_pixelOwner, nullptr);
    releaseAll(false, keepScaledCopy);
    return true;
}

void Texture2D::releaseAll(bool keepPacked, bool keepScaledCopy) {
    const bool hasPixels = _surface || (_texture && _streaming && render_targets::isAlive(_generation));
    if (keepPacked && hasPixels) {
        if (const SDL_Surface* image = getSurface()) {
            // Pictures without flat areas (noise, photos) don't pack: they are read again instead.
            _packed = pictures::packRuns(image);
        }
    } else if (!keepPacked) {
        std::vector<uint32_t>().swap(_packed);
    }
    releaseTexture();
    if (!keepScaledCopy) {
        releaseScaledCopy();
        std::vector<uint8_t>().swap(_alphaCopy);
        _alphaTried = false;
    }
    freeSurface();
    // Turned copies stay: making them again costs more than a frame has (8 ms for the star),
    // and the particles that use them are small.
    _overBlackFixups.reset();
}

void Texture2D::unpackInto(void* pixels, int pitch) {
    const soft::Pixels target{static_cast<uint32_t*>(pixels), pitch, _pixelsWide, _pixelsHigh};
    const soft::Box whole{0, 0, _pixelsWide, _pixelsHigh};
    std::vector<uint32_t> unused;
    soft::drawPackedBox(target, soft::PackedPixels{_packed.data(), _packed.size(), _pixelsWide, _pixelsHigh},
                        whole, whole, soft::Tint{}, soft::Mode::Copy, unused);
    std::vector<uint32_t>().swap(_packed);
}

bool Texture2D::unpackPixels() {
    SDL_Surface* surface = pixel_pool::take(_pixelsWide, _pixelsHigh);
    if (!surface) {
        return false;
    }
    unpackInto(surface->pixels, surface->pitch);
    freeSurface();
    _surface = surface;
    return true;
}

const std::vector<uint32_t>* Texture2D::getPackedRuns() {
    if (!isPacked()) {
        return nullptr;
    }
    markOriginalUsed();
    return &_packed;
}

const SDL_Surface* Texture2D::getSurface() {
    markOriginalUsed();
    if (_surface) {
        return _surface;
    }
    if (_texture && _streaming && render_targets::isAlive(_generation)) {
        if (!_textureView) {
            void* pixels = nullptr;
            int pitch = 0;
            // The software renderer's lock hands out the texture's own pixels.
            if (SDL_LockTexture(_texture, nullptr, &pixels, &pitch) == 0) {
                _textureView = SDL_CreateRGBSurfaceWithFormatFrom(pixels, _pixelsWide, _pixelsHigh, 32, pitch,
                                                                  kPixelFormat);
                SDL_UnlockTexture(_texture);
            }
        }
        if (_textureView) {
            return _textureView;
        }
    }
    if (_pixelsWide > 0 && _pixelsHigh > 0 && reloadPixels()) {
        return _surface;
    }
    return nullptr;
}

const uint8_t* Texture2D::getAlphaCopy(uint32_t* rgb) {
    markUsed();
    if (!_alphaTried) {
        _alphaTried = true;
        uint32_t colour = 0;
        if (!_surface && !_texture && !_packed.empty()) {
            // Read from the runs: the full pixels need not be unpacked at all.
            _alphaCopy = pictures::alphaOfRuns(
                _packed, static_cast<size_t>(_pixelsWide) * static_cast<size_t>(_pixelsHigh), &colour);
        } else if (const SDL_Surface* image = getSurface(); image && pictures::oneColour(image, &colour)) {
            _alphaCopy = pictures::alphaOf(image);
        }
        _alphaColour = colour;
    }
    *rgb = _alphaColour;
    return _alphaCopy.empty() ? nullptr : _alphaCopy.data();
}

const TurnedImages* Texture2D::getTurnedImages() {
    markUsed(); // drawn through its turned copies
    if (_turned && _turned->getTexture()->pixelsLost()) {
        _turnedBuilt = false; // its renderer is gone: made again from our pixels
    }
    if (!_turnedBuilt) {
        _turned = TurnedImages::build(getSurface());
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
    if (_textureView) {
        SDL_FreeSurface(_textureView);
        _textureView = nullptr;
    }
    if (_texture && render_targets::isAlive(_generation)) {
        SDL_DestroyTexture(_texture);
    } else if (_texture && !_surface && !_path.empty()) {
        // Its renderer is gone and took the only copy: the file is read again when needed.
        _dirty = true;
    }
    _texture = nullptr;
    _generation = 0;
    _streaming = false;
}

void Texture2D::releaseScaledCopy() {
    if (_scaled && render_targets::isAlive(_scaledGeneration)) {
        SDL_DestroyTexture(_scaled);
    }
    _scaled = nullptr;
    _scaledGeneration = 0;
}

SDL_Texture* Texture2D::getScaledCopy(SDL_Renderer* renderer, int width, int height, Color4B tint,
                                      bool overBlack, unsigned frame, bool* tintBaked) {
    ScaledLook look{width, height, tint, overBlack};
    const unsigned int generation = render_targets::generationOf(renderer);
    const bool alive = _scaled && _scaledGeneration == generation;
    *tintBaked = true;
    if (alive && _scaledLook == look) {
        return _scaled;
    }
    const bool recent = frame - _askedFrame <= 1;
    const bool sizeHeld = recent && _askedLook.width == width && _askedLook.height == height &&
                          _askedLook.overBlack == overBlack;
    const bool lookHeld = recent && _askedLook == look;
    _askedLook = look;
    _askedFrame = frame;
    if (!overBlack && sizeHeld && !lookHeld) {
        // A fade: the size holds, the tint moves. At the image's own size SDL's modulated copy
        // is as good as any; at another size an untinted copy at that size is modulated.
        if (width == _pixelsWide && height == _pixelsHigh) {
            return nullptr;
        }
        look.tint = Color4B(255, 255, 255, 255);
        *tintBaked = false;
        if (alive && _scaledLook == look) {
            return _scaled;
        }
    } else if (!lookHeld) {
        return nullptr;
    }
    if (_pixelsWide <= 0 || width <= 0 || height <= 0 || generation == 0) {
        return nullptr;
    }
    tint = look.tint;
    SDL_Surface* source = const_cast<SDL_Surface*>(getSurface());
    if (!source) {
        return nullptr;
    }
    releaseScaledCopy();
    // Made straight into a streaming texture: on the software renderer its lock is the
    // texture's own pixels, so the copy is written once and held once.
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, kPixelFormat, SDL_TEXTUREACCESS_STREAMING, width, height);
    void* pixels = nullptr;
    int pitch = 0;
    if (!texture || SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) {
        if (texture) {
            SDL_DestroyTexture(texture);
        }
        return nullptr;
    }
    SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, pitch, kPixelFormat);
    if (!copy) {
        SDL_UnlockTexture(texture);
        SDL_DestroyTexture(texture);
        return nullptr;
    }
    if (width == _pixelsWide && height == _pixelsHigh) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, nullptr, copy, nullptr);
    } else if (_aliased) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitScaled(source, nullptr, copy, nullptr);
    } else {
        SDL_SoftStretchLinear(source, nullptr, copy, nullptr);
    }
    // Tint and opacity as the renderer applies them: each channel times the tint over 255.
    // Over black, each colour is also weighed by the alpha, as blending would.
    if (overBlack || tint.r != 255 || tint.g != 255 || tint.b != 255 || tint.a != 255) {
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + y * copy->pitch);
            for (int x = 0; x < width; ++x) {
                const Uint32 p = row[x];
                if (overBlack && p >= 0xFF000000u && tint.r == 255 && tint.g == 255 && tint.b == 255 &&
                    tint.a == 255) {
                    continue; // opaque and untinted: unchanged
                }
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
    SDL_FreeSurface(copy);
    SDL_UnlockTexture(texture);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    _scaled = texture;
    _scaledGeneration = generation;
    _scaledLook = look;
    _scaledWidth = width;
    _scaledHeight = height;
    return _scaled;
}

SDL_Texture* Texture2D::getSDLTexture(SDL_Renderer* renderer) {
    markOriginalUsed();
    unsigned int generation = render_targets::generationOf(renderer);
    if (_texture && _generation != generation) {
        releaseTexture();
    }
    if (_pixelsWide <= 0 || _pixelsHigh <= 0 || generation == 0) {
        return nullptr;
    }
    if (!_texture) {
        if (!_surface && _packed.empty() && !reloadPixels()) {
            return nullptr;
        }
        // On the software renderer a streaming texture's lock is its own pixels, so the CPU copy
        // can go once uploaded and the pixels are still there to read.
        const bool software = isSoftware(renderer);
        _texture = SDL_CreateTexture(renderer, kPixelFormat,
                                     software ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC,
                                     _pixelsWide, _pixelsHigh);
        if (!_texture) {
            return nullptr;
        }
        _generation = generation;
        _streaming = software;
        SDL_SetTextureScaleMode(_texture, _aliased ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        _dirty = true;
    }
    if (!_surface && !_packed.empty() && _streaming) {
        // Packed pixels are unpacked straight into the software renderer's texture.
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(_texture, nullptr, &pixels, &pitch) == 0) {
            unpackInto(pixels, pitch);
            SDL_UnlockTexture(_texture);
            markUsed();
            _dirty = false;
            ++_uploadCount;
        }
    }
    if (_dirty) {
        if (!_surface && !reloadPixels()) {
            return nullptr;
        }
        SDL_UpdateTexture(_texture, nullptr, _surface->pixels, _surface->pitch);
        _dirty = false;
        ++_uploadCount;
        if (!_path.empty() || (_remakeable && _streaming)) {
            // A picture from a file is held once: the renderer's copy (read back in place on the
            // software renderer, read from the file again elsewhere when needed).
            freeSurface();
        }
    }
    return _texture;
}

NS_CC_END
