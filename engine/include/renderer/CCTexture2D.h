#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/CCRef.h"
#include "base/ccMacros.h"
#include "base/ccTypes.h"
#include "math/CCGeometry.h"

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;

NS_CC_BEGIN

class TurnedImages;
namespace pictures {
struct DecodedPicture;
}

// An image in memory. The pixels stay on the CPU side (an SDL surface) and are uploaded to the
// renderer the first time they are drawn, so textures can be loaded before a view exists.
//
// A picture read from a file is held once: after its upload the CPU copy is freed (the software
// renderer's texture can be read back in place), and a picture nobody draws any more can let go
// of its pixels altogether (releasePixels) and read its file again when it is next drawn. The
// texture object itself, its size and its place in the cache stay.
class Texture2D : public Ref {
public:
    Texture2D();
    virtual ~Texture2D();

    // Takes ownership of the surface (converted to RGBA32 if needed).
    bool initWithSurface(SDL_Surface* surface);
    bool initWithImageFile(const std::string& fullPath);
    // Replaces the pixels; the next draw uploads them again.
    void updateWithSurface(SDL_Surface* surface);

    void setAliasTexParameters();
    void setAntiAliasTexParameters();
    bool isAliased() const { return _aliased; }

    int getPixelsWide() const { return _pixelsWide; }
    int getPixelsHigh() const { return _pixelsHigh; }
    // Size in points: pixels / content scale factor.
    Size getContentSize() const;
    const Size& getContentSizeInPixels() const { return _contentSizeInPixels; }
    bool hasPremultipliedAlpha() const { return false; }
    const std::string& getPath() const { return _path; }

    // Engine side: pixels of `fullPath` decoded away from the main thread, packed or whole, taken as
    // this texture's: a new texture's picture, or the pixels of one that let go of them (same
    // file, same size). False, taking nothing, when they don't fit that or this already holds pixels.
    // `loaded`: counts as a use (a picture read); its own pixels coming back packed do not.
    bool adoptDecodedPicture(const std::string& fullPath, pictures::DecodedPicture&& picture,
                             bool loaded = true);

    // Engine side: the texture for that renderer, uploaded on first use (nullptr if empty).
    SDL_Texture* getSDLTexture(SDL_Renderer* renderer);
    // Engine side: every pixel fully opaque (such textures can be copied instead of blended).
    bool isOpaque() const { return _opaque; }
    // Engine side: how many times the pixels were uploaded (tests check caching with it).
    int getUploadCount() const { return _uploadCount; }
    // Engine side: copies of the image turned in even steps, for renderers that turn quads slowly.
    // Made on first use and kept until the pixels change; null for an empty or invisible image.
    const TurnedImages* getTurnedImages();
    // Engine side: the pixels (ARGB8888), nullptr for an empty texture. Valid until the pixels
    // change or are released; pixels that were released are read from the file again.
    const SDL_Surface* getSurface();
    // Engine side: frees the pixels of a picture read from a file (the CPU copy, the renderer's
    // copy and any scaled copy). With `keepPacked` they are kept run-length packed (pictures
    // with flat areas pack to a tenth or less) and unpacked on the next use in a fraction of a
    // decode; without, the file is read again. Pictures made in memory (text, generated images)
    // keep theirs and return false.
    bool releasePixels(bool keepPacked = false);
    // Engine side: a picture drawn only from its scaled copy for a while (a portrait shown small)
    // packs its full-size pixels and keeps the copy; they are unpacked when needed again.
    bool originalIdle(unsigned now) const {
        return (_scaled || !_alphaCopy.empty()) && (_surface || _texture) && !_path.empty() &&
               now - _originalUsedFrame > 1;
    }
    void packOriginal();
    // Engine side: a picture whose pixels are all of one colour (the focus lines), as its alpha
    // alone (a byte a pixel, rows `getPixelsWide()` apart) with that colour in *rgb: a quarter of
    // its pixels' memory, for drawing it turned. Made once; while only this copy is drawn, the
    // full pixels are packed as they are for a scaled copy. nullptr for any other picture.
    const uint8_t* getAlphaCopy(uint32_t* rgb);
    // Engine side: hands the full-size pixels of a picture from a file over to be packed
    // elsewhere (the texture cache's loader thread) and lets go of every other copy, the scaled
    // copy too unless `keepScaledCopy`. The packed pixels come back through adoptDecodedPicture.
    // False, handing nothing over, unless the pixels are held as a CPU copy (the caller then packs
    // them itself).
    bool handOverPixels(SDL_Surface** surface, SDL_Surface** owner, bool keepScaledCopy);
    // Engine side: whether the pixels are held packed only.
    bool isPacked() const { return !_packed.empty() && !_surface && !_texture; }
    // Engine side: those packed pixels (pairs: run length, ARGB pixel; runs go on across rows),
    // for drawing straight from them; nullptr unless isPacked(). Valid until the pixels change.
    const std::vector<uint32_t>* getPackedRuns();
    // Engine side: whether any copy of the pixels is held right now (turned copies aside).
    bool holdsPixels() const {
        return _surface || _texture || _scaled || !_packed.empty() || !_alphaCopy.empty();
    }
    // Engine side: pixels that can be made again by whoever made them (generated images): once
    // uploaded to a software renderer they are held there only. pixelsLost() tells when that
    // renderer has gone with them.
    void setRemakeable() { _remakeable = true; }
    bool pixelsLost() const;
    // Engine side: the pixels that aren't fully opaque, as they look blended over black (the
    // rest are copied as they are); made once. nullptr for an empty texture.
    struct Fixup {
        int x;
        int y;
        uint32_t pixel;
    };
    const std::vector<Fixup>* getOverBlackFixups();
    // Engine side: bytes of pixels held right now (every copy but the turned copies).
    size_t getPixelBytes() const;
    // Engine side: the Director's frame in which the texture was last drawn or loaded.
    unsigned getLastUsedFrame() const { return _lastUsedFrame; }
    void markUsed();
    // Engine side: the whole image at another pixel size with a tint and opacity baked in, for
    // renderers that scale and tint slowly: a copy made once, so each frame is a plain copy. It is
    // made only when the same look is asked for again on the next frame (a zoom in progress would
    // make a new one every frame), so it may return nullptr; one look is kept at a time. With
    // `overBlack` the copy is the picture already blended over black, fully opaque.
    // While only the tint changes from frame to frame at a held size (a fade), the copy is made
    // at that size untinted and *tintBaked is false: the caller applies the tint when copying.
    SDL_Texture* getScaledCopy(SDL_Renderer* renderer, int width, int height, Color4B tint, bool overBlack,
                               unsigned frame, bool* tintBaked);
    void releaseScaledCopy();

private:
    struct ScaledLook {
        int width = 0;
        int height = 0;
        Color4B tint;
        bool overBlack = false;
        bool operator==(const ScaledLook& o) const {
            return width == o.width && height == o.height && tint.r == o.tint.r && tint.g == o.tint.g &&
                   tint.b == o.tint.b && tint.a == o.tint.a && overBlack == o.overBlack;
        }
    };

    void releaseTexture();
    void freeSurface();
    // Takes a decoded surface as the CPU copy, in the engine's pixel layout; false if it can't.
    bool adoptSurface(SDL_Surface* surface);
    // The pixels back from _packed into _surface; false if there is no memory for them.
    bool unpackPixels();
    // The same into pixels of our size laid out with `pitch`; _packed is emptied.
    void unpackInto(void* pixels, int pitch);
    // Reads the picture's file again after releasePixels(); false (logged) if that fails.
    bool reloadPixels();

    SDL_Surface* _surface = nullptr;
    // When the pixels were put into the engine's layout in place, the decoder's surface that owns
    // them (_surface is then a view over its pixels).
    SDL_Surface* _pixelOwner = nullptr;
    // A surface view over the pixels of a texture the software renderer holds (after the CPU
    // copy was freed); valid while _texture is.
    SDL_Surface* _textureView = nullptr;
    bool _streaming = false; // _texture can be read back in place (software renderer)
    unsigned _lastUsedFrame = 0;
    unsigned _originalUsedFrame = 0; // the full-size pixels were drawn or read
    void markOriginalUsed();
    void releaseAll(bool keepPacked, bool keepScaledCopy);
    bool _remakeable = false;
    std::unique_ptr<std::vector<Fixup>> _overBlackFixups;
    // Pixels let go of with keepPacked: pairs of a run length and the pixel repeated.
    std::vector<uint32_t> _packed;
    int _scaledWidth = 0;
    int _scaledHeight = 0;
    SDL_Texture* _texture = nullptr;
    unsigned int _generation = 0; // of the renderer that owns _texture
    bool _dirty = true;
    bool _aliased = false;
    bool _opaque = false;
    int _pixelsWide = 0;
    int _pixelsHigh = 0;
    int _uploadCount = 0;
    Size _contentSizeInPixels;
    std::string _path;
    std::vector<uint8_t> _alphaCopy;
    uint32_t _alphaColour = 0;
    bool _alphaTried = false; // the pixels were looked at for one colour
    std::unique_ptr<TurnedImages> _turned;
    bool _turnedBuilt = false;
    ScaledLook _scaledLook;
    SDL_Texture* _scaled = nullptr;
    unsigned int _scaledGeneration = 0;
    ScaledLook _askedLook;
    unsigned _askedFrame = 0;
};

NS_CC_END
