#include "shell/Constants.h"

#include <iostream>

#include "cocos2d.h"

void reportLoadError(const std::string& path) {
    std::cerr << "Error while loading: " << path << std::endl;
    std::cerr << "Depending on how you compiled you might have to add 'Resources/' in "
              << "front of filenames in TitleScene" << std::endl;
}

cocos2d::Vec2 getVisibleCenter() {
    auto director = cocos2d::Director::getInstance();
    const cocos2d::Vec2 origin = director->getVisibleOrigin();
    const cocos2d::Size size = director->getVisibleSize();
    return cocos2d::Vec2(origin.x + size.width / 2, origin.y + size.height / 2);
}
