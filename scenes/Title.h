#pragma once

#include "cocos2d.h"

// The hub: title picture, title music and a column of three image buttons.
class Title : public cocos2d::Scene {
public:
    CREATE_FUNC(Title);
    bool init() override;

    void onStart(cocos2d::Ref* sender);
    void onSettings(cocos2d::Ref* sender);
    // The exit button's callback keeps the name the scene has always given it. It would hide
    // the node's own exit hook, onExit(), which the director calls on every scene it leaves;
    // naming that hook here keeps both visible (and the compiler's hiding warning quiet).
    using cocos2d::Scene::onExit;
    void onExit(cocos2d::Ref* sender);

private:
    void startTitleMusic();
    void addButtons();
};
