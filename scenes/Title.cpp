#include "scenes/Title.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "scenes/MenuFocus.h"
#include "scenes/SceneLayout.h"
#include "shell/BGM.h"
#include "shell/Constants.h"
#include "shell/SceneFlow.h"
#include "ui/CocosGUI.h"

USING_NS_CC;

namespace {
const std::string kTitleBGMPath = "res/bgm/op.mp3";
const std::string kTitleBackgroundPath = "res/background/title_background.png";
constexpr float kButtonScale = 0.3f;
constexpr float kColumnLeft = 310.0f; // left edge of the scaled buttons, in points
} // namespace

bool Title::init() {
    if (!Scene::init()) {
        return false;
    }
    startTitleMusic();
    auto background = createStretchedBackground(kTitleBackgroundPath);
    addButtons();
    if (background) {
        addChild(background, 0);
    }
    return true;
}

void Title::startTitleMusic() {
    if (currentBGMPath == kTitleBGMPath) {
        // Back from the settings: the track goes on; the updater also carries out a glide
        // armed there.
        scheduleBGMUpdate(this);
    } else if (currentBGMPath.empty()) {
        nextBGM(kTitleBGMPath);
        scheduleBGMUpdate(this);
    }
}

void Title::addButtons() {
    const std::vector<std::string> labels = {kPlayGameLabel, kSettingLabel, kExitLabel};
    const std::vector<std::pair<std::string, std::string>> images = {
        {"ui/start01.png", "ui/start02.png"},
        {"ui/settings01.png", "ui/settings02.png"},
        {"ui/exit01.png", "ui/exit02.png"}};
    const std::vector<std::function<void(Ref*)>> actions = {CC_CALLBACK_1(Title::onStart, this),
                                                            CC_CALLBACK_1(Title::onSettings, this),
                                                            [this](Ref* sender) { onExit(sender); }};
    const Vec2 center = getVisibleCenter();
    auto focus = MenuFocus::create();
    for (size_t i = 0; i < labels.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        auto button = ui::Button::create();
        button->setTouchEnabled(true);
        button->loadTextures(images[i].first, images[i].second, "", ui::Widget::TextureResType::LOCAL);
        button->addClickEventListener(actions[i]);
        const Size size = button->getContentSize();
        if (size.width <= 0 || size.height <= 0) {
            reportLoadError(images[i].first);
        }
        const float x = center.x - ((center.x - kColumnLeft) - size.width * kButtonScale * 0.5f);
        const float y = center.y - 2.0f * (size.height * kButtonScale * k);
        button->setScale(kButtonScale);
        button->setPosition(Vec2(x, y));
        addChild(button, 1);
        focus->addEntry(button, [action = actions[i]] { action(nullptr); });
    }
    addChild(focus, MenuFocus::kLocalZOrder); // no way back from the title: Escape does nothing
}

void Title::onStart(Ref*) {
    changeScene(SceneChange::TitleToPlay, this);
}

void Title::onSettings(Ref*) {
    changeScene(SceneChange::TitleToSettings, this);
}

void Title::onExit(Ref*) {
    std::exit(0);
}
