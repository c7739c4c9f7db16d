#include "scenes/Score.h"

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
const std::string kScoreBackgroundPath = "res/background/score_background.png";
constexpr float kCaptionSize = 140.0f;
constexpr float kScoreValueSize = 84.0f;
constexpr float kHighScoreSize = 56.0f;
constexpr float kButtonScale = 0.4f;
constexpr float kOverlayFadeSeconds = 0.5f;
constexpr int kOverlayZ = 10;
// Computed in double precision, stored as float.
const float kThreeSevenths = static_cast<float>(3.0 / 7.0);
const float kOneSeventh = static_cast<float>(1.0 / 7.0);
} // namespace

bool Score::init() {
    if (!Scene::init()) {
        return false;
    }
    scheduleBGMUpdate(this);
    fadeOutBGM();

    const Vec2 center = getVisibleCenter();
    const float height = Director::getInstance()->getVisibleSize().height;
    auto background = createStretchedBackground(kScoreBackgroundPath);

    auto caption = createTextLabel(kScoreLabel, kCaptionSize);
    if (caption) {
        caption->setPosition(center.x, center.y + height * kThreeSevenths);
    }
    auto highCaption = createTextLabel(kHighScoreLabel, kHighScoreSize);
    if (highCaption) {
        highCaption->setPosition(center.x, center.y + height * kOneSeventh - 15.0f);
    }
    addButtons();

    if (background) {
        addChild(background, 0);
    }
    if (caption) {
        addChild(caption, 1);
    }
    if (highCaption) {
        addChild(highCaption, 1);
    }
    addGameOverOverlay();
    return true;
}

void Score::addButtons() {
    const std::vector<std::pair<std::string, std::string>> images = {
        {"ui/retry01.png", "ui/retry02.png"}, {"ui/title_menu01.png", "ui/title_menu01.png"}};
    const std::vector<std::function<void(Ref*)>> actions = {CC_CALLBACK_1(Score::onRetry, this),
                                                            CC_CALLBACK_1(Score::onBackToTitle, this)};
    const Vec2 center = getVisibleCenter();
    auto focus = MenuFocus::create();
    for (size_t i = 0; i < images.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        auto button = ui::Button::create();
        button->setTouchEnabled(true);
        button->loadTextures(images[i].first, images[i].second, "", ui::Widget::TextureResType::LOCAL);
        button->addClickEventListener(actions[i]);
        // Each button's offset follows its own image's height.
        const float offset = 2.0f * (button->getContentSize().height * kButtonScale * k);
        button->setScale(kButtonScale);
        button->setPosition(Vec2(center.x, center.y - offset));
        addChild(button, 1);
        focus->addEntry(button, [action = actions[i]] { action(nullptr); });
    }
    focus->setBackAction([this] { onBackToTitle(nullptr); });
    addChild(focus, MenuFocus::kLocalZOrder);
}

void Score::addGameOverOverlay() {
    auto overlay = createStretchedBackground(kGameOverImagePath);
    if (!overlay) {
        return;
    }
    overlay->setOpacity(255);
    overlay->runAction(FadeOut::create(kOverlayFadeSeconds));
    addChild(overlay, kOverlayZ);
}

void Score::setScores(int score, int highScore) {
    log("setScores: %d %d", score, highScore);
    const Vec2 center = getVisibleCenter();
    const float height = Director::getInstance()->getVisibleSize().height;
    _scoreValueLabel = createTextLabel(std::to_string(score), kScoreValueSize);
    _highScoreValueLabel = createTextLabel(std::to_string(highScore), kHighScoreSize);
    if (_scoreValueLabel) {
        _scoreValueLabel->setPosition(center.x, center.y + height * 0.25f);
        addChild(_scoreValueLabel, 1);
    }
    if (_highScoreValueLabel) {
        _highScoreValueLabel->setPosition(center);
        addChild(_highScoreValueLabel, 1);
    }
}

void Score::onRetry(Ref*) {
    changeScene(SceneChange::ScoreToPlay, this);
}

void Score::onBackToTitle(Ref*) {
    changeScene(SceneChange::ScoreToTitle, this);
}
