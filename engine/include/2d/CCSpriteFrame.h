#pragma once

#include <string>

#include "base/CCRef.h"
#include "base/ccMacros.h"
#include "math/CCGeometry.h"
#include "math/Vec2.h"

NS_CC_BEGIN

class Texture2D;

// A rectangle of an image (points, origin at the image's top-left).
class SpriteFrame : public Ref {
public:
    // nullptr (with a log line) when the file doesn't exist.
    static SpriteFrame* create(const std::string& filename, const Rect& rect);
    static SpriteFrame* create(const std::string& filename, const Rect& rect, bool rotated,
                               const Vec2& offset, const Size& originalSize);
    static SpriteFrame* createWithTexture(Texture2D* texture, const Rect& rect);
    static SpriteFrame* createWithTexture(Texture2D* texture, const Rect& rect, bool rotated,
                                          const Vec2& offset, const Size& originalSize);

    const Rect& getRect() const { return _rect; }
    void setRect(const Rect& rect) { _rect = rect; }
    bool isRotated() const { return _rotated; }
    const Vec2& getOffset() const { return _offset; }
    const Size& getOriginalSize() const { return _originalSize; }
    void setOriginalSize(const Size& size) { _originalSize = size; }
    // Loads the image on first use when the frame was created from a file name.
    Texture2D* getTexture();
    void setTexture(Texture2D* texture);
    const std::string& getTextureFilename() const { return _textureFilename; }

    CC_CONSTRUCTOR_ACCESS : SpriteFrame() = default;
    virtual ~SpriteFrame();

private:
    Texture2D* _texture = nullptr;
    std::string _textureFilename;
    Rect _rect;
    bool _rotated = false;
    Vec2 _offset;
    Size _originalSize;
};

NS_CC_END
