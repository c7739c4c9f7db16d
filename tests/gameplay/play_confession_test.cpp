// The confession on the space key, its verdict, and the heroine who takes her place.
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

} // namespace

class ConfessionTest : public PlayFixture {
protected:
    Game* startPlayAndSettle() {
        Game* game = startPlay();
        advance(1.0f / 60); // the first update hooks up the space key
        return game;
    }

    void confess() {
        ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
        advance(1.0f / 60);
    }

    int rotationLogLines() const {
        int count = 0;
        for (const auto& line : _log) {
            for (const auto& entry : GameData::getCharacters()) {
                count += line == entry.second.name ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(ConfessionTest, FavourAtHerBorderWinsPointsAndTime) {
    Game* game = startPlayAndSettle();
    const Character gal = game->getCurrentGal();
    entryOf(gal).favour = gal.border;
    confess();
    EXPECT_FALSE(game->isAcceptingInput());
    EXPECT_FALSE(game->getSelectionMenu()->isEnabled());
    EXPECT_EQ(game->getMenuText()->getString(), "I love you, " + gal.name + "!");

    advance(1.5f);
    EXPECT_EQ(game->getMenuText()->getString(), "Yes, " + gal.you + "! (" + gal.name + ")");
    EXPECT_EQ(game->getScore(), 1000);
    const float afterBonus = game->getTimeLeft();
    EXPECT_NEAR(afterBonus, 60.0f - 1.5f - 2.0f / 60 + 6.0f, 0.01f);
    EXPECT_EQ(scoreText(), "0");
    advance(1.05f);
    EXPECT_EQ(scoreText(), "1000");
}

TEST_F(ConfessionTest, FavourBelowHerBorderIsRefusedWithSadParticles) {
    Game* game = startPlayAndSettle();
    const Character gal = game->getCurrentGal();
    entryOf(gal).favour = gal.border - 1;
    confess();
    advance(1.0f / 60, 92);
    EXPECT_EQ(game->getMenuText()->getString(), "Sorry, " + gal.you + ". (" + gal.name + ")");
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_TRUE(hasParticleChild(game->getCharacter()));
    EXPECT_LT(game->getTimeLeft(), 60.0f - 1.5f);
}

TEST_F(ConfessionTest, TheConfessedHeroineGivesHerPlaceToTheFirstInLine) {
    Game* game = startPlayAndSettle();
    const Character confessedTo = game->getCurrentGal();
    ASSERT_EQ(waitingGals.size(), 2u);
    const Character first = waitingGals[0];
    const Character second = waitingGals[1];
    const int slot = static_cast<int>(findActiveGal(confessedTo.id) - activeGals);
    confess();

    advance(2.9f);
    EXPECT_FALSE(game->isAcceptingInput());
    advance(0.2f);
    EXPECT_TRUE(game->isAcceptingInput());
    EXPECT_TRUE(game->canAnswer());

    EXPECT_EQ(activeGals[slot].gal.id, first.id);
    EXPECT_EQ(activeGals[slot].favour, 5);
    EXPECT_EQ(findActiveGal(confessedTo.id), nullptr);
    ASSERT_EQ(waitingGals.size(), 2u);
    EXPECT_EQ(waitingGals[0].id, second.id);
    EXPECT_EQ(waitingGals[1].id, confessedTo.id);
    EXPECT_EQ(rotationLogLines(), 3);

    // The next question goes to one of the three now in play, followed by the other two.
    EXPECT_NE(findActiveGal(game->getCurrentGal().id), nullptr);
    EXPECT_NE(game->getSuccessGal().id, game->getCurrentGal().id);
    EXPECT_NE(game->getFailureGal().id, game->getCurrentGal().id);
}

TEST_F(ConfessionTest, WithNobodyWaitingSheStaysButStartsOver) {
    Game* game = startPlayAndSettle();
    const Character gal = game->getCurrentGal();
    entryOf(gal).favour = 9;
    waitingGals.clear();
    confess();
    advance(3.1f);
    ASSERT_NE(findActiveGal(gal.id), nullptr);
    EXPECT_EQ(findActiveGal(gal.id)->favour, 5);
    EXPECT_TRUE(waitingGals.empty());
    EXPECT_TRUE(game->canAnswer());
}

TEST_F(ConfessionTest, SpaceDuringAReactionOrAConfessionDoesNothing) {
    Game* game = startPlayAndSettle();
    ext::click(rowPoint(acceptedRow()));
    advance(1.0f / 60);
    const std::string reaction = game->getMenuText()->getString();
    confess();
    advance(0.5f);
    EXPECT_EQ(game->getMenuText()->getString(), reaction);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_EQ(rotationLogLines(), 0);

    confess();
    advance(0.5f);
    confess();
    advance(1.5f);
    confess();
    advance(2.0f);
    EXPECT_EQ(rotationLogLines(), 3) << "one confession, one rotation";
}

TEST_F(ConfessionTest, ArrowKeysAndClicksAreRefusedDuringAConfession) {
    Game* game = startPlayAndSettle();
    confess();
    ext::keyPress(EventKeyboard::KeyCode::KEY_UP_ARROW);
    ext::click(rowPoint(0));
    advance(0.5f);
    EXPECT_EQ(countLogged("Start delay"), 0);
    EXPECT_FALSE(game->isAcceptingInput());
}

TEST_F(ConfessionTest, FocusLinesSpinForASecondThenGo) {
    Game* game = startPlayAndSettle();
    const auto countOverlays = [game]() {
        int count = 0;
        for (auto* child : game->getChildren()) {
            count += child->getLocalZOrder() == 10 ? 1 : 0;
        }
        return count;
    };
    confess();
    EXPECT_EQ(countOverlays(), 1);
    advance(1.0f / 60, 50);
    EXPECT_EQ(countOverlays(), 1);
    advance(1.0f / 60, 20);
    EXPECT_EQ(countOverlays(), 0);
}
