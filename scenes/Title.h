#pragma once

#include "cocos2d.h"

// The hub: title picture, title music and a column of three image buttons.
class Title : public cocos2d::Scene {
public:
    CREATE_FUNC(Title);
    bool init() override;

    void onStart(cocos2d::Ref* sender);
    void onSettings(cocos2d::Ref* sender);
    void onExit(cocos2d::Ref* sender);

private:
    void startTitleMusic();
    void addButtons();
};
