// The end of a play: time-out, the game-over picture, the best score and the score screen.
#include <functional>

#include "PlayFixture.h"
#include "scenes/Score.h"

using namespace cocos2d;
using play_test::PlayFixture;

namespace {

void collectLabelTexts(Node* node, std::vector<std::string>& texts) {
    for (auto* child : node->getChildren()) {
        if (auto* label = dynamic_cast<Label*>(child)) {
            texts.push_back(label->getString());
        }
        collectLabelTexts(child, texts);
    }
}

} // namespace

class GameOverTest : public PlayFixture {
protected:
    int storedBest() { return UserDefault::getInstance()->getIntegerForKey("high_score"); }

    // Lets the clock run out: whole seconds while more than one is left, then small frames.
    void runOutTheClock() {
        while (_game->getTimeLeft() > 1.0f) {
            advance(0.5f);
        }
        while (!_game->isGameOver()) {
            advance(1.0f / 60);
        }
    }

    // Keeps the play object alive across the scene change so its state can still be read.
    void holdGame() { _game->retain(); }
    void TearDown() override {
        if (_held) {
            _game->release();
        }
        PlayFixture::TearDown();
    }
    bool onScoreScreen() { return dynamic_cast<Score*>(Director::getInstance()->getRunningScene()) != nullptr; }

    bool _held = false;
};

TEST_F(GameOverTest, TimeOutClosesInputFadesInThePictureAndHandsOffAfterOneAndAHalfSeconds) {
    Game* game = startPlay();
    game->retain();
    _held = true;
    UserDefault::getInstance()->setIntegerForKey("high_score", 350);
    runOutTheClock();
    EXPECT_FALSE(game->isAcceptingInput());
    EXPECT_FALSE(game->getSelectionMenu()->isEnabled());
    EXPECT_EQ(timeText(), "0.00");

    advance(1.0f / 60);
    Sprite* picture = nullptr;
    for (auto* child : game->getChildren()) {
        if (child->getLocalZOrder() == 10) {
            picture = dynamic_cast<Sprite*>(child);
        }
    }
    ASSERT_NE(picture, nullptr);
    EXPECT_LT(picture->getOpacity(), 30);
    advance(1.0f / 60, 15);
    EXPECT_GT(picture->getOpacity(), 100);
    EXPECT_LT(picture->getOpacity(), 255);
    advance(1.0f / 60, 20);
    EXPECT_EQ(picture->getOpacity(), 255);

    // Input stays closed, whatever the player presses.
    ext::keyPress(EventKeyboard::KeyCode::KEY_UP_ARROW);
    ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
    advance(1.0f / 60);
    EXPECT_EQ(countLogged("Start delay"), 0);

    advance(0.8f);
    EXPECT_FALSE(onScoreScreen());
    advance(0.2f);
    EXPECT_TRUE(onScoreScreen());

    // A play with no points keeps the stored best and shows both.
    EXPECT_EQ(storedBest(), 350);
    std::vector<std::string> texts;
    collectLabelTexts(Director::getInstance()->getRunningScene(), texts);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "0"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "350"), texts.end());
}

TEST_F(GameOverTest, AFirstBestScoreIsStoredAndShownTwice) {
    startPlay();
    _game->addScore(1200, 1.0f);
    runOutTheClock();
    advance(0.1f, 17);
    ASSERT_TRUE(onScoreScreen());
    EXPECT_EQ(storedBest(), 1200);
    std::vector<std::string> texts;
    collectLabelTexts(Director::getInstance()->getRunningScene(), texts);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1200"), 2);
}

TEST_F(GameOverTest, ARightAnswerInTheLastFrameKeepsThePlayGoing) {
    Game* game = startPlay();
    advance(59.7f);
    ASSERT_NEAR(game->getTimeLeft(), 0.3f, 0.001f);
    ext::click(rowPoint(acceptedRow()));
    advance(0.5f); // without the added second this frame would end the play
    EXPECT_FALSE(game->isGameOver());
    EXPECT_NEAR(game->getTimeLeft(), 0.8f, 0.001f);
    EXPECT_EQ(timeText(), "0.80");
}

TEST_F(GameOverTest, AConfessionRunningAtZeroDoesNotDelayTheHandOff) {
    Game* game = startPlay();
    game->retain();
    _held = true;
    advance(1.0f / 60);
    UserDefault::getInstance()->setIntegerForKey("high_score", -1);
    entryOf(game->getCurrentGal()).favour = game->getCurrentGal().border;
    advance(59.0f);
    ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
    advance(1.0f / 60);
    ASSERT_FALSE(game->isAcceptingInput());

    // The clock reaches zero a second into the confession; its +6 s comes half a second later.
    float sinceTimeOut = 0;
    while (!game->isGameOver()) {
        advance(1.0f / 60);
    }
    while (!onScoreScreen() && sinceTimeOut < 3.0f) {
        advance(1.0f / 60);
        sinceTimeOut += 1.0f / 60;
    }
    EXPECT_TRUE(onScoreScreen());
    EXPECT_NEAR(sinceTimeOut, 1.5f, 0.05f);
    EXPECT_EQ(game->getScore(), 1000);
    EXPECT_EQ(storedBest(), 1000);
}

TEST_F(GameOverTest, AWholePlayDrivenByKeysEndsOnTheScoreScreenWithItsBestStored) {
    Game* game = startPlay();
    game->retain();
    _held = true;
    int answers = 0;
    for (int frame = 0; frame < 5000 && !onScoreScreen(); ++frame) {
        if (game->canAnswer()) {
            // Right and wrong answers by turns, and a confession every fifth turn.
            ++answers;
            if (answers % 5 == 0) {
                ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
            } else {
                const int row = answers % 2 == 0 ? 1 - acceptedRow() : acceptedRow();
                ext::keyPress(row == 0 ? EventKeyboard::KeyCode::KEY_UP_ARROW
                                       : EventKeyboard::KeyCode::KEY_DOWN_ARROW);
            }
        }
        advance(0.1f);
    }
    ASSERT_TRUE(onScoreScreen());
    EXPECT_GT(answers, 10);
    EXPECT_GT(game->getScore(), 0);
    EXPECT_EQ(storedBest(), game->getScore());
}
