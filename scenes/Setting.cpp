#include "scenes/Setting.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "scenes/MenuFocus.h"
#include "scenes/SceneLayout.h"
#include "shell/BGM.h"
#include "shell/Constants.h"
#include "shell/SceneFlow.h"

USING_NS_CC;

namespace {
const std::string kSettingBackgroundPath = "res/background/setting_background.png";
constexpr float kEntryFontSize = 28.0f;
constexpr int kVolumeKeyStep = 5; // percent per Left/Right press
const char* const kVolumeSliderName = "volumeSlider";

MenuItemLabel* createEntry(const std::string& text, const ccMenuCallback& callback) {
    auto label = createTextLabel(text, kEntryFontSize);
    if (!label) {
        return nullptr; // reported; the entry is left out rather than added empty
    }
    auto item = MenuItemLabel::create(label, callback);
    item->setAnchorPoint(Vec2(0, 0));
    return item;
}
} // namespace

int volumeToPercent(float volume) {
    // Rounded, not truncated: 0.53f * 100 is 52.99999 in single precision.
    return static_cast<int>(std::lround(static_cast<double>(volume) * 100.0));
}

float percentToVolume(int percent) {
    return percent > 100 ? 1.0f : static_cast<float>(percent / 100.0);
}

bool Setting::init() {
    if (!Scene::init()) {
        return false;
    }
    if (auto background = createStretchedBackground(kSettingBackgroundPath)) {
        addChild(background, 0);
    }

    Vector<MenuItem*> items;
    if (auto volume = createVolumeItem()) {
        items.pushBack(volume);
    }
    const std::pair<std::string, ccMenuCallback> entries[] = {
        {"Characters", CC_CALLBACK_1(Setting::onCharacters, this)},
        {"How to play", CC_CALLBACK_1(Setting::onHowToPlay, this)},
        {"Exit", CC_CALLBACK_1(Setting::onSettingsExit, this)}};
    for (const auto& entry : entries) {
        if (auto item = createEntry(entry.first, entry.second)) {
            items.pushBack(item);
        }
    }

    auto menu = Menu::createWithArray(items);
    menu->alignItemsVertically();
    menu->setPosition(getVisibleCenter() - Vec2(menu->getContentSize().width / 10.0f, 0.0f));
    addChild(menu, 1);
    addFocus(items);
    return true;
}

void Setting::addFocus(const Vector<MenuItem*>& items) {
    auto focus = MenuFocus::create();
    for (MenuItem* item : items) {
        if (auto slider = item->getChildByName<ui::Slider*>(kVolumeSliderName)) {
            focus->addEntry(item, nullptr, [this, slider](int step) {
                const int percent = slider->getPercent() + step * kVolumeKeyStep;
                slider->setPercent(std::max(0, std::min(slider->getMaxPercent(), percent)));
                storeVolume(slider);
            });
        } else {
            focus->addEntry(item, [item] { item->activate(); });
        }
    }
    focus->setBackAction([this] { onSettingsExit(nullptr); });
    addChild(focus, MenuFocus::kLocalZOrder);
}

MenuItem* Setting::createVolumeItem() {
    // Tapping the caption does nothing: its callback is empty.
    auto item = createEntry("BGM Volume", nullptr);
    if (!item) {
        return nullptr;
    }
    auto label = item->getLabel();
    auto slider = ui::Slider::create();
    slider->loadBarTexture("ui/Slider_Back.png", ui::Widget::TextureResType::LOCAL);
    slider->loadSlidBallTextures("ui/SliderNode_Normal.png", "ui/SliderNode_Press.png",
                                 "ui/SliderNode_Disable.png", ui::Widget::TextureResType::LOCAL);
    slider->loadProgressBarTexture("ui/Slider_PressBar.png", ui::Widget::TextureResType::LOCAL);
    slider->setName(kVolumeSliderName);
    slider->setAnchorPoint(Vec2(0, 0));
    slider->setPosition(Vec2(label->getContentSize().width * 1.1f, label->getContentSize().height * 0.25f));
    slider->setPercent(volumeToPercent(bgmVolume));
    slider->addTouchEventListener(CC_CALLBACK_2(Setting::onVolumeTouched, this));
    item->addChild(slider, 1);
    return item;
}

void Setting::onVolumeTouched(Ref* sender, ui::Widget::TouchEventType type) {
    // Only a release on the slider stores; a drag that ends off it is cancelled.
    if (type != ui::Widget::TouchEventType::ENDED) {
        return;
    }
    storeVolume(static_cast<ui::Slider*>(sender));
}

void Setting::storeVolume(ui::Slider* slider) {
    setBGMVolume(percentToVolume(slider->getPercent()));
}

void Setting::onCharacters(Ref*) {
    changeScene(SceneChange::SettingsToGallery, this);
}

void Setting::onHowToPlay(Ref*) {
    changeScene(SceneChange::SettingsToTutorial, this);
}

void Setting::onSettingsExit(Ref*) {
    changeScene(SceneChange::SettingsToTitle, this);
}
