// The confession on the space key, its verdict, and the heroine who takes her place.
#include "PlayFixture.h"

using namespace cocos2d;
using namespace play_test;
using Key = EventKeyboard::KeyCode;

namespace {

// Lines the rotation logs: one heroine name per table slot.
int rotationLines(const std::vector<std::string>& log) {
    int count = 0;
    for (const auto& entry : GameData::getCharacters()) {
        count += std::count(log.begin(), log.end(), entry.second.name);
    }
    return count;
}

} // namespace

TEST_F(PlayFixture, AConfessionAtHerBorderWinsAThousandPointsAndSixSeconds) {
    Game* game = startPlay();
    const Character gal = game->getCurrentGal();
    entryOf(gal).favour = gal.border;
    press(Key::KEY_SPACE);
    EXPECT_FALSE(game->canAnswer());
    EXPECT_EQ(game->getMenuText()->getString(), "I love you, " + gal.name + "!");

    advance(kFrame, 91);
    EXPECT_EQ(game->getMenuText()->getString(), "Yes, " + gal.you + "! (" + gal.name + ")");
    EXPECT_EQ(game->getScore(), 1000);
    EXPECT_NEAR(game->getTimeLeft(), 60.0f - 92 * kFrame + 6.0f, 0.01f);
    EXPECT_EQ(scoreText(), "0");
    advance(kFrame, 62);
    EXPECT_EQ(scoreText(), "1000");
}

TEST_F(PlayFixture, AConfessionBelowHerBorderIsRefusedWithSadParticles) {
    Game* game = startPlay();
    const Character gal = game->getCurrentGal();
    entryOf(gal).favour = gal.border - 1;
    press(Key::KEY_SPACE);
    advance(kFrame, 91);
    EXPECT_EQ(game->getMenuText()->getString(), "Sorry, " + gal.you + ". (" + gal.name + ")");
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_TRUE(hasParticleChild(game->getCharacter()));
    EXPECT_LT(game->getTimeLeft(), 58.5f);
}

TEST_F(PlayFixture, TheConfessedHeroineGivesHerPlaceToTheFirstInLine) {
    Game* game = startPlay();
    const Play& play = game->getPlay();
    const Character confessedTo = game->getCurrentGal();
    const Character first = play.waitingGals().at(0), second = play.waitingGals().at(1);
    const ActiveGal* slot = play.findActiveGal(confessedTo.id);
    press(Key::KEY_SPACE);
    advance(kFrame, 175);
    EXPECT_FALSE(game->isAcceptingInput());
    advance(kFrame, 6); // three seconds after the key
    EXPECT_TRUE(game->canAnswer());

    EXPECT_EQ(slot->gal.id, first.id);
    EXPECT_EQ(slot->favour, 5);
    ASSERT_EQ(play.waitingGals().size(), 2u);
    EXPECT_EQ(play.waitingGals()[0].id, second.id);
    EXPECT_EQ(play.waitingGals()[1].id, confessedTo.id);
    EXPECT_EQ(rotationLines(_log), 3);
    // The next question goes to one of the three in play now.
    EXPECT_NE(play.findActiveGal(game->getCurrentGal().id), nullptr);
}

TEST_F(PlayFixture, SpaceDuringAReactionOrAConfessionDoesNothing) {
    Game* game = startPlay();
    press(Key::KEY_UP_ARROW);
    const std::string reaction = game->getMenuText()->getString();
    press(Key::KEY_SPACE);
    EXPECT_EQ(game->getMenuText()->getString(), reaction);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_EQ(rotationLines(_log), 0);

    press(Key::KEY_SPACE);
    for (int i = 0; i < 4; ++i) {
        advance(kFrame, 30);
        press(Key::KEY_SPACE);
        press(Key::KEY_DOWN_ARROW);
    }
    advance(kFrame, 60);
    EXPECT_EQ(rotationLines(_log), 3) << "one confession, one rotation";
    EXPECT_EQ(countLogged("Start delay"), 1);
}
