// Every scene change of the game creates a fresh scene of the right class; no scene object
// is reused. Runs on the shipped content with a fresh store.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/SceneTable.h"
#include "cocos2d.h"
#include "data/GameData.h"
#include "ext/Headless.h"
#include "ext/Paths.h"
#include "gameplay/Game.h"
#include "scenes/Gals.h"
#include "scenes/GameSceneFixture.h"
#include "scenes/Logo.h"
#include "scenes/Score.h"
#include "scenes/Setting.h"
#include "scenes/Title.h"
#include "scenes/Tutorial.h"
#include "shell/BGM.h"

USING_NS_CC;
namespace fs = std::filesystem;

namespace {

constexpr float kFrame = 1.0f / 60.0f;

class SceneFlowTest : public GameSceneFixture {
protected:
    template <class T> T* start(T* scene) {
        Director::getInstance()->runWithScene(scene);
        ext::step(kFrame);
        return scene;
    }

    // Runs the trigger, lets the deferred swap happen, and returns the new running scene as To.
    template <class To> To* change(const std::function<void()>& trigger) {
        Scene* before = Director::getInstance()->getRunningScene();
        trigger();
        ext::step(kFrame);
        Scene* after = Director::getInstance()->getRunningScene();
        EXPECT_NE(after, before) << "a fresh scene replaces the old one";
        auto* to = dynamic_cast<To*>(after);
        EXPECT_NE(to, nullptr);
        return to;
    }
};

TEST_F(SceneFlowTest, LogoRoutesFirstRunToTutorialThenTitle) {
    start(Logo::create());
    ext::step(kFrame, 140);
    EXPECT_NE(dynamic_cast<Logo*>(Director::getInstance()->getRunningScene()), nullptr)
        << "still before 2.5 s";
    ext::step(kFrame, 20);
    EXPECT_NE(dynamic_cast<Tutorial*>(Director::getInstance()->getRunningScene()), nullptr);
    EXPECT_TRUE(UserDefault::getInstance()->getBoolForKey("isFirstTime"));

    change<Logo>([] { Director::getInstance()->replaceScene(Logo::create()); });
    ext::step(kFrame, 160);
    EXPECT_NE(dynamic_cast<Title*>(Director::getInstance()->getRunningScene()), nullptr) << "the next start";
}

TEST_F(SceneFlowTest, FlagSetToFalseByHandIsAFirstRunAgain) {
    UserDefault::getInstance()->setBoolForKey("isFirstTime", false);
    start(Logo::create());
    ext::step(kFrame, 160);
    EXPECT_NE(dynamic_cast<Tutorial*>(Director::getInstance()->getRunningScene()), nullptr);
}

TEST_F(SceneFlowTest, EveryMenuChangeMakesANewScene) {
    auto title = start(Title::create());
    auto setting = change<Setting>([&] { title->onSettings(nullptr); });
    auto gals = change<Gals>([&] { setting->onCharacters(nullptr); });
    setting = change<Setting>([&] { gals->onGalleryExit(nullptr); });
    title = change<Title>([&] { setting->onSettingsExit(nullptr); });
    setting = change<Setting>([&] { title->onSettings(nullptr); });
    auto tutorial = change<Tutorial>([&] { setting->onHowToPlay(nullptr); });
    title = change<Title>([&] { tutorial->onToTitle(nullptr); });
    auto game = change<Game>([&] { title->onStart(nullptr); });
    ASSERT_NE(game, nullptr);
    // Kept alive, so that a new scene can't be given its address.
    game->retain();
    auto score = Score::create();
    score->setScores(0, 0);
    Director::getInstance()->replaceScene(score);
    ext::step(kFrame);
    auto again = change<Game>([&] { score->onRetry(nullptr); });
    EXPECT_NE(again, game);
    game->release();
    score = Score::create();
    score->setScores(0, 0);
    Director::getInstance()->replaceScene(score);
    ext::step(kFrame);
    change<Title>([&] { score->onBackToTitle(nullptr); });
}

TEST_F(SceneFlowTest, TitleExitEndsTheProcessWithZero) {
    auto title = start(Title::create());
    EXPECT_EXIT(title->onExit(nullptr), ::testing::ExitedWithCode(0), "");
}

} // namespace
