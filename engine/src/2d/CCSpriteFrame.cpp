#include "2d/CCSpriteFrame.h"

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "platform/CCFileUtils.h"
#include "renderer/CCTexture2D.h"
#include "renderer/CCTextureCache.h"

NS_CC_BEGIN

SpriteFrame* SpriteFrame::create(const std::string& filename, const Rect& rect) {
    return create(filename, rect, false, Vec2::ZERO, rect.size);
}

SpriteFrame* SpriteFrame::create(const std::string& filename, const Rect& rect, bool rotated,
                                 const Vec2& offset, const Size& originalSize) {
    // A frame of a missing image would only fail later, far from the cause.
    if (filename.empty() || !FileUtils::getInstance()->isFileExist(filename)) {
        log("SpriteFrame::create: image '%s' not found", filename.c_str());
        return nullptr;
    }
    auto* frame = new (std::nothrow) SpriteFrame();
    frame->_textureFilename = filename;
    frame->_rect = rect;
    frame->_rotated = rotated;
    frame->_offset = offset;
    frame->_originalSize = originalSize;
    frame->autorelease();
    return frame;
}

SpriteFrame* SpriteFrame::createWithTexture(Texture2D* texture, const Rect& rect) {
    return createWithTexture(texture, rect, false, Vec2::ZERO, rect.size);
}

SpriteFrame* SpriteFrame::createWithTexture(Texture2D* texture, const Rect& rect, bool rotated,
                                            const Vec2& offset, const Size& originalSize) {
    if (!texture) {
        log("SpriteFrame::createWithTexture: null texture");
        return nullptr;
    }
    auto* frame = new (std::nothrow) SpriteFrame();
    frame->setTexture(texture);
    frame->_rect = rect;
    frame->_rotated = rotated;
    frame->_offset = offset;
    frame->_originalSize = originalSize;
    frame->autorelease();
    return frame;
}

SpriteFrame::~SpriteFrame() {
    CC_SAFE_RELEASE(_texture);
}

Texture2D* SpriteFrame::getTexture() {
    if (!_texture && !_textureFilename.empty()) {
        setTexture(Director::getInstance()->getTextureCache()->addImage(_textureFilename));
    }
    return _texture;
}

void SpriteFrame::setTexture(Texture2D* texture) {
    if (texture != _texture) {
        CC_SAFE_RETAIN(texture);
        CC_SAFE_RELEASE(_texture);
        _texture = texture;
    }
}

NS_CC_END
