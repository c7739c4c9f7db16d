#include "2d/CCSprite.h"

#include "2d/CCSpriteFrame.h"
#include "2d/CCSpriteFrameCache.h"
#include "2d/QuadBuilder.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "renderer/CCRenderer.h"
#include "renderer/CCTexture2D.h"
#include "renderer/CCTextureCache.h"

NS_CC_BEGIN

namespace {
template <typename Init> Sprite* makeSprite(Init init) {
    auto* sprite = new (std::nothrow) Sprite();
    if (sprite && init(sprite)) {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return nullptr;
}
} // namespace

Sprite* Sprite::create() {
    return makeSprite([](Sprite* s) { return s->init(); });
}

Sprite* Sprite::create(const std::string& filename) {
    return makeSprite([&](Sprite* s) { return s->initWithFile(filename); });
}

Sprite* Sprite::create(const std::string& filename, const Rect& rect) {
    return makeSprite([&](Sprite* s) { return s->initWithFile(filename, rect); });
}

Sprite* Sprite::createWithTexture(Texture2D* texture) {
    return makeSprite([&](Sprite* s) { return s->initWithTexture(texture); });
}

Sprite* Sprite::createWithTexture(Texture2D* texture, const Rect& rect, bool rotated) {
    return makeSprite([&](Sprite* s) { return s->initWithTexture(texture, rect, rotated); });
}

Sprite* Sprite::createWithSpriteFrame(SpriteFrame* spriteFrame) {
    return makeSprite([&](Sprite* s) { return s->initWithSpriteFrame(spriteFrame); });
}

Sprite* Sprite::createWithSpriteFrameName(const std::string& spriteFrameName) {
    SpriteFrame* frame = SpriteFrameCache::getInstance()->getSpriteFrameByName(spriteFrameName);
    if (!frame) {
        log("Sprite::createWithSpriteFrameName: no frame named '%s'", spriteFrameName.c_str());
        return nullptr;
    }
    return createWithSpriteFrame(frame);
}

Sprite::Sprite() : _blendFunc(BlendFunc::ALPHA_NON_PREMULTIPLIED) {}

Sprite::~Sprite() {
    CC_SAFE_RELEASE(_spriteFrame);
    CC_SAFE_RELEASE(_texture);
}

bool Sprite::init() {
    return initWithTexture(nullptr, Rect::ZERO, false);
}

bool Sprite::initWithTexture(Texture2D* texture) {
    if (!texture) {
        log("Sprite::initWithTexture: null texture");
        return false;
    }
    return initWithTexture(texture, Rect(Vec2::ZERO, texture->getContentSize()), false);
}

bool Sprite::initWithTexture(Texture2D* texture, const Rect& rect) {
    return initWithTexture(texture, rect, false);
}

bool Sprite::initWithTexture(Texture2D* texture, const Rect& rect, bool rotated) {
    setAnchorPoint(Vec2(0.5f, 0.5f));
    _unflippedOffsetPositionFromCenter = Vec2::ZERO;
    setTexture(texture);
    setTextureRect(rect, rotated, rect.size);
    return true;
}

bool Sprite::initWithSpriteFrame(SpriteFrame* spriteFrame) {
    if (!spriteFrame) {
        log("Sprite::initWithSpriteFrame: null frame");
        return false;
    }
    if (!initWithTexture(spriteFrame->getTexture(), spriteFrame->getRect(), spriteFrame->isRotated())) {
        return false;
    }
    setSpriteFrame(spriteFrame);
    return true;
}

bool Sprite::initWithFile(const std::string& filename) {
    Texture2D* texture = _director->getTextureCache()->addImage(filename);
    if (!texture) {
        log("Sprite::create: can't load image '%s'", filename.c_str());
        return false;
    }
    return initWithTexture(texture);
}

bool Sprite::initWithFile(const std::string& filename, const Rect& rect) {
    Texture2D* texture = _director->getTextureCache()->addImage(filename);
    if (!texture) {
        log("Sprite::create: can't load image '%s'", filename.c_str());
        return false;
    }
    return initWithTexture(texture, rect, false);
}

void Sprite::setTexture(const std::string& filename) {
    Texture2D* texture = _director->getTextureCache()->addImage(filename);
    if (!texture) {
        log("Sprite::setTexture: can't load image '%s'; texture unchanged", filename.c_str());
        return;
    }
    setTexture(texture);
    _unflippedOffsetPositionFromCenter = Vec2::ZERO;
    setTextureRect(Rect(Vec2::ZERO, texture->getContentSize()));
}

// A null texture draws the rectangle as a solid box in the sprite's colour.
void Sprite::setTexture(Texture2D* texture) {
    if (texture != _texture) {
        CC_SAFE_RETAIN(texture);
        CC_SAFE_RELEASE(_texture);
        _texture = texture;
    }
}

void Sprite::setTextureRect(const Rect& rect) {
    setTextureRect(rect, false, rect.size);
}

void Sprite::setTextureRect(const Rect& rect, bool rotated, const Size& untrimmedSize) {
    _rect = rect;
    _rectRotated = rotated;
    _originalContentSize = untrimmedSize;
    Node::setContentSize(untrimmedSize);
}

void Sprite::setSpriteFrame(const std::string& spriteFrameName) {
    SpriteFrame* frame = SpriteFrameCache::getInstance()->getSpriteFrameByName(spriteFrameName);
    if (!frame) {
        log("Sprite::setSpriteFrame: no frame named '%s'; sprite unchanged", spriteFrameName.c_str());
        return;
    }
    setSpriteFrame(frame);
}

void Sprite::setSpriteFrame(SpriteFrame* newFrame) {
    if (!newFrame) {
        log("Sprite::setSpriteFrame: null frame ignored");
        return;
    }
    if (newFrame != _spriteFrame) {
        newFrame->retain();
        CC_SAFE_RELEASE(_spriteFrame);
        _spriteFrame = newFrame;
    }
    Texture2D* texture = newFrame->getTexture();
    if (texture != _texture) {
        setTexture(texture);
    }
    _unflippedOffsetPositionFromCenter = newFrame->getOffset();
    setTextureRect(newFrame->getRect(), newFrame->isRotated(), newFrame->getOriginalSize());
}

SpriteFrame* Sprite::getSpriteFrame() const {
    if (_spriteFrame || !_texture) {
        return _spriteFrame;
    }
    return SpriteFrame::createWithTexture(_texture, _rect, _rectRotated, _unflippedOffsetPositionFromCenter,
                                          _originalContentSize);
}

bool Sprite::isFrameDisplayed(SpriteFrame* frame) const {
    return frame && frame->getTexture() == _texture && frame->getRect().equals(_rect);
}

void Sprite::draw(Renderer* renderer, const Mat4& transform, uint32_t) {
    if (_displayedOpacity == 0 || _rect.size.width <= 0 || _rect.size.height <= 0) {
        return;
    }
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    if (_texture && _texture->getPixelsWide() > 0 && _texture->getPixelsHigh() > 0) {
        float factor = _director->getContentScaleFactor();
        float texW = static_cast<float>(_texture->getPixelsWide());
        float texH = static_cast<float>(_texture->getPixelsHigh());
        u0 = _rect.origin.x * factor / texW;
        u1 = (_rect.origin.x + _rect.size.width) * factor / texW;
        v0 = _rect.origin.y * factor / texH;
        v1 = (_rect.origin.y + _rect.size.height) * factor / texH;
    }
    if (_flippedX) {
        std::swap(u0, u1);
    }
    if (_flippedY) {
        std::swap(v0, v1);
    }
    // The rect sits in its untrimmed box at the frame's offset (mirrored with the picture), and
    // the whole box is stretched to the content size.
    const float stretchX =
        _originalContentSize.width > 0 ? _contentSize.width / _originalContentSize.width : 0.0f;
    const float stretchY =
        _originalContentSize.height > 0 ? _contentSize.height / _originalContentSize.height : 0.0f;
    const float offsetX =
        _flippedX ? -_unflippedOffsetPositionFromCenter.x : _unflippedOffsetPositionFromCenter.x;
    const float offsetY =
        _flippedY ? -_unflippedOffsetPositionFromCenter.y : _unflippedOffsetPositionFromCenter.y;
    const float x0 = (offsetX + (_originalContentSize.width - _rect.size.width) / 2) * stretchX;
    const float y0 = (offsetY + (_originalContentSize.height - _rect.size.height) / 2) * stretchY;
    V2F_C4B_T2F quad[4];
    Color4B tint(_displayedColor, _displayedOpacity);
    buildQuad(quad, transform, x0, y0, x0 + _rect.size.width * stretchX, y0 + _rect.size.height * stretchY,
              tint, u0, v0, u1, v1);
    renderer->drawQuad(_texture, quad, _blendFunc);
}

NS_CC_END
