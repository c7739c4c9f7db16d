// Title, score and settings on the shipped resources: music rules, button layout by each
// image's own size, the best-score rule and the volume slider.

#include <algorithm>
#include <vector>

#include "audio/include/AudioEngine.h"
#include "data/GameData.h"
#include "ext/Input.h"
#include "gameplay/Game.h"
#include "scenes/GameSceneFixture.h"
#include "scenes/Score.h"
#include "scenes/Setting.h"
#include "scenes/Title.h"
#include "shell/BGM.h"
#include "shell/Constants.h"
#include "shell/HighScore.h"
#include "ui/CocosGUI.h"

USING_NS_CC;
using experimental::AudioEngine;

namespace {

constexpr float kFrame = 1.0f / 60.0f;
const std::string kTitleMusic = "res/bgm/op.mp3";

class FrontScenesTest : public GameSceneFixture {
protected:
    static std::vector<ui::Button*> buttonsOf(Node* scene) {
        std::vector<ui::Button*> buttons;
        for (auto child : scene->getChildren()) {
            if (auto button = dynamic_cast<ui::Button*>(child)) {
                buttons.push_back(button);
            }
        }
        std::sort(buttons.begin(), buttons.end(),
                  [](ui::Button* a, ui::Button* b) { return a->getPositionY() > b->getPositionY(); });
        return buttons;
    }

    static float imageHeight(const std::string& path) {
        return Sprite::create(path)->getContentSize().height;
    }
    static float imageWidth(const std::string& path) { return Sprite::create(path)->getContentSize().width; }

    static bool playing(int id) { return AudioEngine::getState(id) == AudioEngine::AudioState::PLAYING; }
};

TEST_F(FrontScenesTest, TitleStartsItsMusicAtTheStoredVolumeAndLaysOutTheColumn) {
    bgmVolume = 0.6f;
    auto title = run(Title::create());
    EXPECT_EQ(currentBGMPath, kTitleMusic);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(currentBGMId), 0.6f);
    EXPECT_TRUE(director()->getScheduler()->isScheduled(kBGMScheduleKey, title));

    const auto buttons = buttonsOf(title);
    ASSERT_EQ(buttons.size(), 3u);
    const char* images[] = {"ui/start01.png", "ui/settings01.png", "ui/exit01.png"};
    for (int k = 1; k <= 3; ++k) {
        ui::Button* button = buttons[k - 1];
        const float w = imageWidth(images[k - 1]);
        const float h = imageHeight(images[k - 1]);
        EXPECT_FLOAT_EQ(button->getScaleX(), 0.3f);
        EXPECT_NEAR(button->getPositionX(), 310 + 0.15f * w, 1e-3) << images[k - 1];
        EXPECT_NEAR(button->getPositionY(), 360 - 2 * (h * 0.3f * k), 1e-3) << images[k - 1];
        // The scaled button's left edge lines up at 310 points.
        EXPECT_NEAR(button->getBoundingBox().getMinX(), 310.0f, 0.01f);
    }
}

TEST_F(FrontScenesTest, TitleFromSettingsKeepsTheTrackAndCarriesOutTheGlide) {
    nextBGM(kTitleMusic);
    const int id = currentBGMId;
    setBGMVolume(0.3f); // released in the settings, where no updater runs
    run(Title::create());
    EXPECT_EQ(currentBGMId, id) << "the title track goes on, not restarted";
    step(kFrame, 2);
    step(kFrame, 60);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(id), 0.3f);
}

TEST_F(FrontScenesTest, StartReleasesTheTitleMusicBeforeThePlayBegins) {
    auto title = run(Title::create());
    const int titleId = currentBGMId;
    title->onStart(nullptr);
    EXPECT_FALSE(playing(titleId));
    EXPECT_NE(currentBGMPath, kTitleMusic) << "the play started its own scenario music";
    step(kFrame);
    EXPECT_NE(dynamic_cast<Game*>(director()->getRunningScene()), nullptr);
}

TEST_F(FrontScenesTest, ScoreFadesTheMusicAndTheOverlayInHalfASecond) {
    nextBGM(kTitleMusic);
    const int id = currentBGMId;
    auto score = Score::create();
    score->setScores(1200, 1500);
    run(score);
    Sprite* overlay = nullptr;
    for (auto child : score->getChildren()) {
        if (child->getLocalZOrder() == 10) {
            overlay = dynamic_cast<Sprite*>(child);
        }
    }
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->getOpacity(), 255);
    step(kFrame, 2);
    EXPECT_TRUE(playing(id));
    step(kFrame, 31);
    EXPECT_FALSE(playing(id));
    EXPECT_EQ(overlay->getOpacity(), 0);
    EXPECT_TRUE(logContains("setScores: 1200 1500"));
}

TEST_F(FrontScenesTest, ScoreButtonsUseTheirOwnImageHeights) {
    auto score = run(Score::create());
    const auto buttons = buttonsOf(score);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_NEAR(buttons[0]->getPositionY(), 360 - 0.8f * imageHeight("ui/retry01.png"), 1e-3);
    EXPECT_NEAR(buttons[1]->getPositionY(), 360 - 1.6f * imageHeight("ui/title_menu01.png"), 1e-3);
    EXPECT_FLOAT_EQ(buttons[0]->getPositionX(), 640.0f);
}

TEST_F(FrontScenesTest, BestScoreRuleKeepsTheLargerAndWritesEveryTime) {
    auto store = UserDefault::getInstance();
    store->setIntegerForKey("high_score", 350);
    EXPECT_EQ(recordHighScore(0), 350);
    EXPECT_EQ(store->getIntegerForKey("high_score"), 350);
    EXPECT_EQ(recordHighScore(1200), 1200);
    EXPECT_EQ(store->getIntegerForKey("high_score"), 1200);
    store->deleteValueForKey("high_score");
    EXPECT_EQ(recordHighScore(-5), 0) << "a negative score keeps the absent best at 0";
}

class SettingSliderTest : public FrontScenesTest {
protected:
    ui::Slider* findSlider(Node* node) {
        if (auto slider = dynamic_cast<ui::Slider*>(node)) {
            return slider;
        }
        for (auto child : node->getChildren()) {
            if (auto found = findSlider(child)) {
                return found;
            }
        }
        return nullptr;
    }
    Vec2 pointAt(ui::Slider* slider, float percent) {
        const Size size = slider->getContentSize();
        return slider->convertToWorldSpace(Vec2(size.width * percent / 100.0f, size.height / 2));
    }
    void drag(ui::Slider* slider, float from, float to, const Vec2& release) {
        ext::touchBegin(pointAt(slider, from));
        step(kFrame);
        ext::touchMove(pointAt(slider, to));
        step(kFrame);
        ext::touchEnd(release);
        step(kFrame);
    }
};

TEST_F(SettingSliderTest, OnlyAReleaseOnTheSliderStoresAndTheNextVisitShowsIt) {
    auto setting = run(Setting::create());
    auto slider = findSlider(setting);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->getPercent(), 100);

    drag(slider, 100, 40, Vec2(2000, 2000)); // released far off the slider: cancelled
    EXPECT_FLOAT_EQ(bgmVolume, 1.0f);

    drag(slider, 40, 53, pointAt(slider, 53));
    EXPECT_NEAR(bgmVolume, 0.53f, 0.011f);
    const int stored = slider->getPercent();

    director()->replaceScene(Setting::create());
    step(kFrame);
    auto again = findSlider(director()->getRunningScene());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->getPercent(), stored) << "shown rounded, not truncated";
}

TEST(VolumePercent, RoundTripsEveryWholePercent) {
    for (int p = 0; p <= 100; ++p) {
        EXPECT_EQ(volumeToPercent(percentToVolume(p)), p);
    }
    EXPECT_FLOAT_EQ(percentToVolume(150), 1.0f);
}

TEST_F(FrontScenesTest, TappingTheVolumeCaptionDoesNothing) {
    auto setting = run(Setting::create());
    Menu* menu = nullptr;
    for (auto child : setting->getChildren()) {
        if (auto m = dynamic_cast<Menu*>(child)) {
            menu = m;
        }
    }
    ASSERT_NE(menu, nullptr);
    auto caption = dynamic_cast<MenuItemLabel*>(menu->getChildren().at(0));
    ASSERT_NE(caption, nullptr);
    ext::click(caption->convertToWorldSpace(Vec2(5, caption->getContentSize().height / 2)));
    step(kFrame, 3);
    EXPECT_EQ(director()->getRunningScene(), setting);
    EXPECT_FLOAT_EQ(bgmVolume, 1.0f);
}

} // namespace
