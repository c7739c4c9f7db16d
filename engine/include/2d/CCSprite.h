#pragma once

#include <string>

#include "2d/CCNode.h"

NS_CC_BEGIN

class SpriteFrame;
class Texture2D;

class BlendProtocol {
public:
    virtual ~BlendProtocol() = default;
    virtual void setBlendFunc(const BlendFunc& blendFunc) = 0;
    virtual const BlendFunc& getBlendFunc() const = 0;
};

class TextureProtocol : public BlendProtocol {
public:
    virtual Texture2D* getTexture() const = 0;
    virtual void setTexture(Texture2D* texture) = 0;
};

// One textured quad tinted by the node's displayed colour and opacity. The texture rect (or
// frame) sets the content size; a content size set afterwards stretches the picture to fill it.
class Sprite : public Node, public TextureProtocol {
public:
    // An empty sprite (white, 0x0); setTextureRect(Rect(0, 0, w, h)) turns it into a solid box.
    static Sprite* create();
    // nullptr (with a log line) when the image can't be found or decoded.
    static Sprite* create(const std::string& filename);
    static Sprite* create(const std::string& filename, const Rect& rect);
    static Sprite* createWithTexture(Texture2D* texture);
    static Sprite* createWithTexture(Texture2D* texture, const Rect& rect, bool rotated = false);
    static Sprite* createWithSpriteFrame(SpriteFrame* spriteFrame);
    static Sprite* createWithSpriteFrameName(const std::string& spriteFrameName);

    virtual void setTexture(const std::string& filename);
    virtual void setTexture(Texture2D* texture) override;
    virtual Texture2D* getTexture() const override { return _texture; }
    virtual void setTextureRect(const Rect& rect);
    virtual void setTextureRect(const Rect& rect, bool rotated, const Size& untrimmedSize);
    const Rect& getTextureRect() const { return _rect; }
    virtual void setSpriteFrame(const std::string& spriteFrameName);
    virtual void setSpriteFrame(SpriteFrame* newFrame);
    virtual SpriteFrame* getSpriteFrame() const;
    virtual bool isFrameDisplayed(SpriteFrame* frame) const;

    void setFlippedX(bool flippedX) { _flippedX = flippedX; }
    bool isFlippedX() const { return _flippedX; }
    void setFlippedY(bool flippedY) { _flippedY = flippedY; }
    bool isFlippedY() const { return _flippedY; }

    virtual void setBlendFunc(const BlendFunc& blendFunc) override { _blendFunc = blendFunc; }
    virtual const BlendFunc& getBlendFunc() const override { return _blendFunc; }

    virtual void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;

    CC_CONSTRUCTOR_ACCESS : Sprite();
    virtual ~Sprite();
    virtual bool init() override;
    virtual bool initWithTexture(Texture2D* texture);
    virtual bool initWithTexture(Texture2D* texture, const Rect& rect);
    virtual bool initWithTexture(Texture2D* texture, const Rect& rect, bool rotated);
    virtual bool initWithSpriteFrame(SpriteFrame* spriteFrame);
    virtual bool initWithFile(const std::string& filename);
    virtual bool initWithFile(const std::string& filename, const Rect& rect);

protected:
    Texture2D* _texture = nullptr;
    SpriteFrame* _spriteFrame = nullptr;
    Rect _rect;
    // The untrimmed size the rect or frame came with; the content size over it is the stretch.
    Size _originalContentSize;
    // A trimmed frame's offset from the centre of its untrimmed box.
    Vec2 _unflippedOffsetPositionFromCenter;
    bool _rectRotated = false;
    bool _flippedX = false;
    bool _flippedY = false;
    BlendFunc _blendFunc;
};

NS_CC_END
