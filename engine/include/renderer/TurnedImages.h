#pragma once

#include <memory>

#include "base/ccMacros.h"

struct SDL_Surface;

NS_CC_BEGIN

class Texture2D;

// Copies of a small image turned clockwise in even steps, laid side by side in one texture.
//
// A software renderer draws an axis-aligned quad as a scaled blit but a turned one through its
// triangle rasteriser, which is two to three times slower per pixel. Spinning particles are
// drawn from the copy nearest their angle instead, as axis-aligned quads.
//
// Each copy sits in a square cell big enough for every visible pixel of the image at any angle
// (a round dot needs no more room than the image; a filled square needs about 1.41 times its
// side). The image is first stretched to a square, as a particle quad stretches it.
class TurnedImages {
public:
    // Largest cell side in pixels: bigger images are turned at this resolution.
    static constexpr int kMaxCellPixels = 128;
    static constexpr int kMaxSteps = 128;

    // Null for an empty or fully transparent image. The source must be ARGB8888.
    static std::unique_ptr<TurnedImages> build(const SDL_Surface* source);
    ~TurnedImages();

    TurnedImages(const TurnedImages&) = delete;
    TurnedImages& operator=(const TurnedImages&) = delete;

    Texture2D* getTexture() const { return _texture; }
    int getSteps() const { return _steps; }
    int getCellPixels() const { return _cellPixels; }
    // Cell side over the side of the square the image is stretched to.
    float getCellScale() const { return _cellScale; }
    // Which copy is nearest to a clockwise turn of `degrees` (any value, negative included).
    int stepFor(float degrees) const;

    struct TexRect {
        float u0, v0, u1, v1; // v grows downwards, as in the image
    };
    TexRect cellOf(int step) const;

private:
    TurnedImages() = default;

    Texture2D* _texture = nullptr; // retained
    int _steps = 0;
    int _columns = 0;
    int _cellPixels = 0;
    float _cellScale = 1.0f;
};

NS_CC_END
