// What an answer changes: favour, the next heroine, time, score, icons and the clock colour.
#include "PlayFixture.h"

using namespace cocos2d;
using play_test::PlayFixture;

namespace {

bool hasParticleChild(Node* node) {
    for (auto* child : node->getChildren()) {
        if (dynamic_cast<ParticleSystemQuad*>(child)) {
            return true;
        }
    }
    return false;
}

Reaction reactionWithNext(int next) {
    Reaction reaction;
    reaction.sentence = "reply";
    reaction.next = next;
    return reaction;
}

void expectColour(const Color4B& actual, int r, int g, int b) {
    EXPECT_EQ(actual.r, r);
    EXPECT_EQ(actual.g, g);
    EXPECT_EQ(actual.b, b);
    EXPECT_EQ(actual.a, 255);
}

} // namespace

class FeedbackTest : public PlayFixture {
protected:
    // Answers through the menu like a player and lets the frame run.
    void answerRow(int row) {
        ext::click(rowPoint(row));
        advance(1.0f / 60);
    }
};

TEST_F(FeedbackTest, FavourStopsAtTenAndAtZero) {
    Game* game = startPlay();
    advance(1.0f / 60);
    const Character asked = game->getCurrentGal();
    entryOf(asked).favour = 10;
    answerRow(acceptedRow());
    EXPECT_EQ(entryOf(asked).favour, 10);

    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    const Character next = game->getCurrentGal();
    entryOf(next).favour = 0;
    answerRow(1 - acceptedRow());
    EXPECT_EQ(entryOf(next).favour, 0);
}

TEST_F(FeedbackTest, ARightAnswerRaisesFavourAWrongOneLowersIt) {
    Game* game = startPlay();
    advance(1.0f / 60);
    const Character asked = game->getCurrentGal();
    answerRow(acceptedRow());
    EXPECT_EQ(entryOf(asked).favour, 6);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    const Character next = game->getCurrentGal();
    const int before = entryOf(next).favour;
    answerRow(1 - acceptedRow());
    EXPECT_EQ(entryOf(next).favour, before - 1);
}

TEST_F(FeedbackTest, FavourIconsGoFromLevelFiveToLevelOne) {
    EXPECT_EQ(Game::favourIconPath(0), "res/icon/LV5.png");
    EXPECT_EQ(Game::favourIconPath(2), "res/icon/LV5.png");
    EXPECT_EQ(Game::favourIconPath(3), "res/icon/LV4.png");
    EXPECT_EQ(Game::favourIconPath(4), "res/icon/LV4.png");
    EXPECT_EQ(Game::favourIconPath(5), "res/icon/LV3.png");
    EXPECT_EQ(Game::favourIconPath(8), "res/icon/LV2.png");
    EXPECT_EQ(Game::favourIconPath(9), "res/icon/LV1.png");
    EXPECT_EQ(Game::favourIconPath(10), "res/icon/LV1.png");
}

TEST_F(FeedbackTest, TheIconShowsTheAnsweredHeroineThenTheNextOne) {
    Game* game = startPlay();
    advance(1.0f / 60);
    const Character asked = game->getCurrentGal();
    entryOf(asked).favour = 8;
    answerRow(acceptedRow());
    auto* frames = SpriteFrameCache::getInstance();
    ASSERT_NE(frames->getSpriteFrameByName("res/icon/LV1.png"), nullptr);
    EXPECT_EQ(game->getIcon()->getTexture(), frames->getSpriteFrameByName("res/icon/LV1.png")->getTexture());

    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    const std::string nextIcon = Game::favourIconPath(game->favourOf(game->getCurrentGal()));
    EXPECT_EQ(game->getIcon()->getTexture(), frames->getSpriteFrameByName(nextIcon)->getTexture());
}

TEST_F(FeedbackTest, ARightAnswerAddsASecondAndPointsOnlyAtTheEndOfAChain) {
    Game* game = startPlay();
    advance(1.0f / 60);
    const float before = game->getTimeLeft();
    game->showResult(true, reactionWithNext(7), game->getCurrentGal());
    EXPECT_NEAR(game->getTimeLeft(), before + 1.0f, 0.0001f);
    EXPECT_EQ(game->getScore(), 0);
    advance(1.5f / 60, 90);
    EXPECT_EQ(scoreText(), "0");

    game->showResult(true, reactionWithNext(-1), game->getCurrentGal());
    EXPECT_EQ(game->getScore(), 200);
    EXPECT_EQ(countLogged("score is 200"), 1);
    // The label changes only when the pop-up lands, one second later.
    advance(1.0f / 60, 58);
    EXPECT_EQ(scoreText(), "0");
    advance(1.0f / 60, 6);
    EXPECT_EQ(scoreText(), "200");
}

TEST_F(FeedbackTest, AddedTimeShowsOnTheClockAtTheNextFrame) {
    Game* game = startPlay();
    advance(1.0f);
    EXPECT_EQ(timeText(), "59.00");
    game->addTime(6, 1.0f);
    advance(0.25f);
    EXPECT_EQ(timeText(), "64.75");
}

TEST_F(FeedbackTest, TheNextHeroineIsTheOneBesideTheChosenRow) {
    Game* game = startPlay();
    advance(1.0f / 60);
    for (int turn = 0; turn < 6; ++turn) {
        const bool answerRight = turn % 2 == 0;
        const int right = acceptedRow();
        const int chosen = answerRight ? right : 1 - right;
        // Whose small portrait stands at the chosen row?
        const float rowY = rowPoint(chosen).y;
        const bool successThere = std::abs(game->getSuccessCharacter()->getPositionY() - rowY) < 0.01f;
        const int expected = successThere ? game->getSuccessGal().id : game->getFailureGal().id;
        EXPECT_EQ(successThere, answerRight);

        answerRow(chosen);
        EXPECT_EQ(game->getCurrentGal().id, expected) << "turn " << turn;
        ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    }
}

TEST_F(FeedbackTest, AWrongAnswerShakesThePortraitAndLeavesSadParticlesOnIt) {
    Game* game = startPlay();
    advance(1.0f / 60);
    Sprite* character = game->getCharacter();
    const Vec2 home = character->getPosition();
    answerRow(1 - acceptedRow());
    EXPECT_TRUE(hasParticleChild(character));
    advance(0.05f);
    EXPECT_GT(character->getPositionX(), home.x);
    advance(0.1f, 3);
    EXPECT_NEAR(character->getPositionX(), home.x, 0.001f);
    EXPECT_NEAR(character->getPositionY(), home.y, 0.001f);

    // The next question clears what was attached for the last one.
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_FALSE(hasParticleChild(character));
}

TEST_F(FeedbackTest, ARightAnswerPutsHeartsOnThePortrait) {
    Game* game = startPlay();
    advance(1.0f / 60);
    answerRow(acceptedRow());
    EXPECT_TRUE(hasParticleChild(game->getCharacter()));
}

TEST_F(FeedbackTest, TheClockColourRunsFromCalmBlueToAlarmRed) {
    Game* game = startPlay();
    expectColour(game->timerColor(), 18, 10, 152);
    advance(50.0f);
    ASSERT_NEAR(game->getTimeLeft(), 10.0f, 0.001f);
    expectColour(game->timerColor(), 178, 12, 12);
    advance(9.0f);
    expectColour(game->timerColor(), 178, 12, 12);
}

TEST_F(FeedbackTest, TheClockColourStaysInRangeWithFarMoreThanAMinuteLeft) {
    Game* game = startPlay();
    game->addTime(70, 1.0f); // 130 s: the blend weight is -1
    expectColour(game->timerColor(), 0, 7, 255);
}
