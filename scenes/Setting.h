#pragma once

#include "cocos2d.h"
#include "ui/CocosGUI.h"

// Music volume slider and the ways to the gallery, the tutorial and the title. The volume
// lives in memory only.
class Setting : public cocos2d::Scene {
public:
    CREATE_FUNC(Setting);
    bool init() override;

    cocos2d::MenuItem* createVolumeItem();

    void onCharacters(cocos2d::Ref* sender);
    void onHowToPlay(cocos2d::Ref* sender);
    void onSettingsExit(cocos2d::Ref* sender);

private:
    void onVolumeTouched(cocos2d::Ref* sender, cocos2d::ui::Widget::TouchEventType type);
    // What a release on the slider stores; Left/Right on the focused volume store the same way.
    void storeVolume(cocos2d::ui::Slider* slider);
    void addFocus(const cocos2d::Vector<cocos2d::MenuItem*>& items);
};

// What the slider shows for a stored volume: the nearest whole percent.
int volumeToPercent(float volume);
// What a released slider stores: percent / 100, capped at 1.
float percentToVolume(int percent);
