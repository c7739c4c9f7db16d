#include "scenes/SceneLayout.h"

#include "shell/Constants.h"

USING_NS_CC;

Sprite* createStretchedBackground(const std::string& path) {
    auto sprite = Sprite::create(path);
    if (!sprite) {
        reportLoadError(path);
        return nullptr;
    }
    const Size visible = Director::getInstance()->getVisibleSize();
    sprite->setScaleX(visible.width / sprite->getContentSize().width);
    sprite->setScaleY(visible.height / sprite->getContentSize().height);
    sprite->setPosition(getVisibleCenter());
    return sprite;
}

Label* createTextLabel(const std::string& text, float fontSize) {
    auto label = Label::createWithTTF(text, kFontPath, fontSize, Size::ZERO, TextHAlignment::LEFT,
                                      TextVAlignment::TOP);
    if (!label) {
        reportLoadError(kFontPath);
    }
    return label;
}
