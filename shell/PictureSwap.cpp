#include "shell/PictureSwap.h"

#include "shell/Constants.h"

USING_NS_CC;

bool swapPicture(Sprite* sprite, const std::string& file) {
    auto* cache = SpriteFrameCache::getInstance();
    SpriteFrame* frame = cache->getSpriteFrameByName(file);
    if (!frame) {
        frame = SpriteFrame::create(file, sprite->getTextureRect());
        if (!frame) {
            reportLoadError(file);
            sprite->setVisible(false);
            return false;
        }
        cache->addSpriteFrame(frame, file);
    }
    sprite->setTexture(frame->getTexture());
    sprite->setTextureRect(frame->getRect());
    sprite->setVisible(true);
    return true;
}
