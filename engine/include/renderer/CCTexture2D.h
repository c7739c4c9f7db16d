#pragma once

#include <memory>
#include <string>

#include "base/CCRef.h"
#include "base/ccMacros.h"
#include "base/ccTypes.h"
#include "math/CCGeometry.h"

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;

NS_CC_BEGIN

class TurnedImages;

// An image in memory. The pixels stay on the CPU side (an SDL surface) and are uploaded to the
// renderer the first time they are drawn, so textures can be loaded before a view exists.
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

    // Engine side: the texture for that renderer, uploaded on first use (nullptr if empty).
    SDL_Texture* getSDLTexture(SDL_Renderer* renderer);
    // Engine side: every pixel fully opaque (such textures can be copied instead of blended).
    bool isOpaque() const { return _opaque; }
    // Engine side: how many times the pixels were uploaded (tests check caching with it).
    int getUploadCount() const { return _uploadCount; }
    // Engine side: copies of the image turned in even steps, for renderers that turn quads slowly.
    // Made on first use and kept until the pixels change; null for an empty or invisible image.
    const TurnedImages* getTurnedImages();
    // Engine side: the pixels (ARGB8888), nullptr for an empty texture.
    const SDL_Surface* getSurface() const { return _surface; }
    // Engine side: the whole image at another pixel size with a tint and opacity baked in, for
    // renderers that scale and tint slowly: a copy made once, so each frame is a plain copy. It is
    // made only when the same look is asked for again on the next frame (a zoom in progress would
    // make a new one every frame), so it may return nullptr; one look is kept at a time. With
    // `overBlack` the copy is the picture already blended over black, fully opaque.
    SDL_Texture* getScaledCopy(SDL_Renderer* renderer, int width, int height, Color4B tint, bool overBlack,
                               unsigned frame);
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

    SDL_Surface* _surface = nullptr;
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
    std::unique_ptr<TurnedImages> _turned;
    bool _turnedBuilt = false;
    ScaledLook _scaledLook;
    SDL_Texture* _scaled = nullptr;
    unsigned int _scaledGeneration = 0;
    ScaledLook _askedLook;
    unsigned _askedFrame = 0;
};

NS_CC_END
