// The end of a play: time-out, the game-over picture, the best score and the score screen.
#include "PlayFixture.h"
#include "scenes/Score.h"
#include "scenes/Title.h"
#include "shell/SceneFlow.h"

using namespace cocos2d;
using namespace play_test;
using Key = EventKeyboard::KeyCode;

class PlayEndTest : public PlayFixture {
protected:
    // The play object is kept alive across the scene change so its state can still be read.
    Game* startHeldPlay() {
        startPlay()->retain();
        _held = true;
        return _game;
    }
    void TearDown() override {
        if (_held) {
            _game->release();
        }
        PlayFixture::TearDown();
    }

    void runOutTheClock() {
        while (_game->getTimeLeft() > 1.0f) {
            advance(0.5f);
        }
        while (!_game->isGameOver()) {
            advance(kFrame);
        }
    }

    int storedBest() { return UserDefault::getInstance()->getIntegerForKey("high_score"); }
    bool _held = false;

    bool onScoreScreen() { return dynamic_cast<Score*>(Director::getInstance()->getRunningScene()); }

    // Texts of every label on the running scene.
    std::vector<std::string> shownTexts() {
        std::vector<std::string> texts;
        std::function<void(Node*)> collect = [&](Node* node) {
            for (auto* child : node->getChildren()) {
                if (auto* label = dynamic_cast<Label*>(child)) {
                    texts.push_back(label->getString());
                }
                collect(child);
            }
        };
        collect(Director::getInstance()->getRunningScene());
        return texts;
    }
};

TEST_F(PlayEndTest, TimeOutFadesInThePictureAndHandsOffOneAndAHalfSecondsLater) {
    Game* game = startHeldPlay();
    UserDefault::getInstance()->setIntegerForKey("high_score", 350);
    runOutTheClock();
    EXPECT_FALSE(game->getSelectionMenu()->isEnabled());

    advance(kFrame);
    Sprite* picture = nullptr;
    for (auto* child : game->getChildren()) {
        picture = child->getLocalZOrder() == 10 ? dynamic_cast<Sprite*>(child) : picture;
    }
    ASSERT_NE(picture, nullptr);
    EXPECT_LT(picture->getOpacity(), 30);
    advance(kFrame, 15);
    EXPECT_GT(picture->getOpacity(), 100);
    EXPECT_LT(picture->getOpacity(), 255);
    advance(kFrame, 20);
    EXPECT_EQ(picture->getOpacity(), 255);

    press(Key::KEY_UP_ARROW);
    press(Key::KEY_SPACE);
    EXPECT_EQ(countLogged("Start delay"), 0);
    advance(kFrame, 45); // 1.4 s after the time-out
    EXPECT_FALSE(onScoreScreen());
    advance(kFrame, 10);
    ASSERT_TRUE(onScoreScreen());

    // No points this time: the stored best stays and both values are shown.
    EXPECT_EQ(storedBest(), 350);
    const auto texts = shownTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "350"), 1);
}

// Should the score screen ever fail to appear, the play still ends: the best is kept and the
// title (with its own music) takes over from the game-over picture.
TEST_F(PlayEndTest, WithoutAScoreScreenThePlayEndsOnTheTitle) {
    Game* game = startHeldPlay();
    runOutTheClock();
    setSceneRoute(SceneChange::PlayToScore,
                  {[](const ScoreHandOff&) -> Scene* { return nullptr; }, MusicOnChange::CarryOn});
    game->addScore(420, 0.0f);
    game->goToScore();
    advance(kFrame);
    EXPECT_EQ(countLogged("Score scene could not be created"), 1);
    EXPECT_EQ(storedBest(), 420);
    EXPECT_NE(dynamic_cast<Title*>(Director::getInstance()->getRunningScene()), nullptr);
    EXPECT_EQ(currentBGMPath, "res/bgm/op.mp3");
}

TEST_F(PlayEndTest, AFirstBestScoreIsStoredAndShownTwice) {
    startPlay();
    _game->addScore(1200, 1.0f);
    runOutTheClock();
    advance(kFrame, 95);
    ASSERT_TRUE(onScoreScreen());
    EXPECT_EQ(storedBest(), 1200);
    const auto texts = shownTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1200"), 2);
}

TEST_F(PlayEndTest, ARightAnswerInTheLastFrameKeepsThePlayGoing) {
    Game* game = startPlay();
    advance(59.7f);
    ext::keyPress(acceptedRow() == 0 ? Key::KEY_UP_ARROW : Key::KEY_DOWN_ARROW);
    advance(0.5f); // without the added second this frame would end the play
    EXPECT_FALSE(game->isGameOver());
    EXPECT_EQ(timeText(), "0.80");
}

TEST_F(PlayEndTest, AConfessionRunningAtZeroDoesNotDelayTheHandOff) {
    Game* game = startHeldPlay();
    UserDefault::getInstance()->setIntegerForKey("high_score", -1);
    entryOf(game->getCurrentGal()).favour = 10;
    advance(59.0f);
    press(Key::KEY_SPACE);
    // Zero comes a second into the confession, its six seconds half a second later.
    while (!game->isGameOver()) {
        advance(kFrame);
    }
    int frames = 0;
    while (!onScoreScreen() && frames < 200) {
        advance(kFrame);
        ++frames;
    }
    EXPECT_NEAR(frames, 90, 2);
    EXPECT_EQ(game->getScore(), 1000);
    EXPECT_EQ(storedBest(), 1000);
}

TEST_F(PlayEndTest, AWholePlayByKeysEndsOnTheScoreScreenWithItsBestStored) {
    Game* game = startHeldPlay();
    int turns = 0;
    for (int frame = 0; frame < 5000 && !onScoreScreen(); ++frame) {
        if (game->canAnswer()) {
            // Right and wrong answers by turns, and a confession every fifth turn.
            ++turns;
            if (turns % 5 == 0) {
                ext::keyPress(Key::KEY_SPACE);
            } else {
                const int row = turns % 2 ? acceptedRow() : 1 - acceptedRow();
                ext::keyPress(row == 0 ? Key::KEY_UP_ARROW : Key::KEY_DOWN_ARROW);
            }
        }
        advance(0.1f);
    }
    ASSERT_TRUE(onScoreScreen());
    EXPECT_GT(turns, 10);
    EXPECT_GT(game->getScore(), 0);
    EXPECT_EQ(storedBest(), game->getScore());
}
