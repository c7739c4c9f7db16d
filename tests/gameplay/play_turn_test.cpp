// One turn: the question, the gate, the clock, and what an answer changes.
#include <set>

#include "PlayFixture.h"
#include "data/Placeholders.h"

using namespace cocos2d;
using namespace play_test;
using Key = EventKeyboard::KeyCode;

namespace {

bool hasPlaceholder(const std::string& text) {
    return text.find("<主人公>") != std::string::npos || text.find("<ヒロイン>") != std::string::npos;
}

void expectColour(const Color4B& colour, int r, int g, int b) {
    EXPECT_EQ(colour.r, r);
    EXPECT_EQ(colour.g, g);
    EXPECT_EQ(colour.b, b);
    EXPECT_EQ(colour.a, 255);
}

} // namespace

TEST_F(PlayFixture, AQuestionOffersOneRightAndOneWrongAnswerInHerWords) {
    Game* game = startPlay();
    const Character& gal = game->getCurrentGal();
    const auto& rows = game->getSelections();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].judge(gal), rows[1].judge(gal));
    for (const auto& row : rows) {
        EXPECT_FALSE(hasPlaceholder(row.sentence + row.success.sentence + row.failure.sentence));
    }
    EXPECT_NE(rows[acceptedRow()].sentence.find(gal.name), std::string::npos);
    EXPECT_NE(rows[acceptedRow()].success.sentence.find(gal.you), std::string::npos);
    EXPECT_NE(rows[1 - acceptedRow()].failure.sentence.find(gal.you), std::string::npos);
    EXPECT_EQ(game->getMenuText()->getString().rfind(gal.name + ":", 0), 0u);

    auto& items = game->getSelectionMenu()->getChildren();
    ASSERT_EQ(items.size(), 2);
    for (int row = 0; row < 2; ++row) {
        auto* label = static_cast<Label*>(static_cast<MenuItemLabel*>(items.at(row))->getLabel());
        EXPECT_EQ(label->getString(), rows[row].sentence);
    }
}

TEST_F(PlayFixture, TheSuccessPortraitStandsBesideTheRightAnswerInBothRowOrders) {
    Game* game = startPlay();
    const auto selections = GameData::getScenarios().begin()->second.selections;
    const auto childCount = game->getChildrenCount();
    std::set<int> rightRows;
    for (int question = 0; question < 30; ++question) {
        game->buildSelections(game->getCurrentGal(), selections);
        game->updateNextGalPortraits();
        rightRows.insert(acceptedRow());
        EXPECT_EQ(game->isFirstSelectionCorrect(), acceptedRow() == 0);
        EXPECT_NEAR(game->getSuccessCharacter()->getPositionY(), rowPoint(acceptedRow()).y, 0.01f);
        EXPECT_NEAR(game->getFailureCharacter()->getPositionY(), rowPoint(1 - acceptedRow()).y, 0.01f);
    }
    EXPECT_EQ(rightRows.size(), 2u);
    EXPECT_EQ(game->getChildrenCount(), childCount) << "old menus and frames are taken away";
}

TEST_F(PlayFixture, TheGateRefusesInputDuringTheReactionAndOpensAtFinishDelay) {
    Game* game = startPlay();
    press(Key::KEY_UP_ARROW);
    ASSERT_EQ(countLogged("Start delay"), 1);
    const std::string reaction = game->getMenuText()->getString();
    for (int frame = 0; frame < 60; ++frame) {
        ext::keyPress(frame % 2 ? Key::KEY_UP_ARROW : Key::KEY_DOWN_ARROW);
        ext::click(rowPoint(frame % 2));
        advance(kFrame);
    }
    EXPECT_EQ(countLogged("Start delay"), 1);
    EXPECT_EQ(game->getMenuText()->getString(), reaction);

    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    press(Key::KEY_UP_ARROW);
    EXPECT_EQ(countLogged("Start delay"), 2);
}

TEST_F(PlayFixture, AClickAndAKeyInOneFrameGiveOneAnswerAndADisabledMenuNone) {
    Game* game = startPlay();
    game->getSelectionMenu()->setEnabled(false);
    ext::click(rowPoint(0));
    advance(kFrame);
    EXPECT_EQ(countLogged("Start delay"), 0);

    game->getSelectionMenu()->setEnabled(true);
    ext::click(rowPoint(0));
    press(Key::KEY_DOWN_ARROW);
    EXPECT_EQ(countLogged("Start delay"), 1);
    EXPECT_EQ(std::count_if(_log.begin(), _log.end(),
                            [](const std::string& l) { return l.rfind("score is", 0) == 0; }),
              1);
}

TEST_F(PlayFixture, TheClockRunsOnWallTimeNotOnFrameTime) {
    Game* game = startPlay();
    _ticks += 25 * kTicksPerSecond / 10; // 2.5 s pass during a 1/60 s frame
    ext::step(kFrame);
    EXPECT_EQ(timeText(), "57.50");
    advance(10.0f); // a stalled frame is charged in full at the next one
    EXPECT_EQ(timeText(), "47.50");
    EXPECT_FALSE(game->isGameOver());
}

TEST_F(PlayFixture, TheLastHundredthEndsThePlayInTheFrameThatReachesZero) {
    Game* game = startPlay();
    advance(59.996f);
    ASSERT_NEAR(game->getTimeLeft(), 0.004f, 0.0005f);
    EXPECT_EQ(timeText(), "0.00");
    EXPECT_FALSE(game->isGameOver());

    advance(0.01f);
    EXPECT_EQ(game->getTimeLeft(), 0.0f);
    EXPECT_TRUE(game->isGameOver());
    EXPECT_FALSE(game->canAnswer());
}

TEST_F(PlayFixture, FavourStopsAtTenAndAtZero) {
    Game* game = startPlay();
    const Character first = game->getCurrentGal();
    entryOf(first).favour = 10;
    answer(true);
    EXPECT_EQ(entryOf(first).favour, 10);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));

    const Character second = game->getCurrentGal();
    entryOf(second).favour = 0;
    answer(false);
    EXPECT_EQ(entryOf(second).favour, 0);
}

TEST_F(PlayFixture, TheFavourIconGoesFromLevelFiveToLevelOne) {
    const std::pair<int, const char*> table[] = {{0, "LV5"}, {2, "LV5"}, {3, "LV4"}, {4, "LV4"},
                                                 {6, "LV3"}, {8, "LV2"}, {9, "LV1"}, {10, "LV1"}};
    for (const auto& [favour, icon] : table) {
        EXPECT_EQ(Game::favourIconPath(favour), std::string("res/icon/") + icon + ".png") << favour;
    }

    // After an answer the icon shows the answered heroine's new favour.
    Game* game = startPlay();
    entryOf(game->getCurrentGal()).favour = 8;
    answer(true);
    auto* shown = SpriteFrameCache::getInstance()->getSpriteFrameByName("res/icon/LV1.png");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(game->getIcon()->getTexture(), shown->getTexture());
}

TEST_F(PlayFixture, ARightAnswerAddsASecondAndPointsOnlyAtTheEndOfAChain) {
    Game* game = startPlay();
    Reaction chainGoesOn;
    chainGoesOn.next = 7;
    game->showResult(true, chainGoesOn, game->getCurrentGal());
    EXPECT_FLOAT_EQ(game->getTimeLeft(), 61.0f);
    EXPECT_EQ(game->getScore(), 0);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_EQ(scoreText(), "0");

    Reaction chainEnds;
    chainEnds.next = -1;
    game->showResult(true, chainEnds, game->getCurrentGal());
    EXPECT_EQ(game->getScore(), 200);
    EXPECT_EQ(countLogged("score is 200"), 1);
    // The label shows the new score only when the pop-up lands, a second later.
    advance(kFrame, 58);
    EXPECT_EQ(scoreText(), "0");
    advance(kFrame, 6);
    EXPECT_EQ(scoreText(), "200");
}

TEST_F(PlayFixture, TheNextHeroineIsTheOneWhosePortraitStoodBesideTheChosenRow) {
    Game* game = startPlay();
    for (int turn = 0; turn < 4; ++turn) {
        const bool right = turn % 2 == 0;
        const float chosenY = rowPoint(right ? acceptedRow() : 1 - acceptedRow()).y;
        const bool successThere = std::abs(game->getSuccessCharacter()->getPositionY() - chosenY) < 0.01f;
        const int expected = successThere ? game->getSuccessGal().id : game->getFailureGal().id;
        EXPECT_EQ(successThere, right);
        answer(right);
        EXPECT_EQ(game->getCurrentGal().id, expected) << "turn " << turn;
        ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    }
}

TEST_F(PlayFixture, AnAnswerLeavesItsEffectsOnThePortraitUntilTheNextQuestion) {
    Game* game = startPlay();
    Sprite* character = game->getCharacter();
    const Vec2 home = character->getPosition();
    answer(false);
    EXPECT_TRUE(hasParticleChild(character)); // sad particles
    advance(kFrame, 3);
    EXPECT_GT(character->getPositionX(), home.x); // the shake
    advance(kFrame, 12);
    EXPECT_NEAR(character->getPositionX(), home.x, 0.001f);
    EXPECT_NEAR(character->getPositionY(), home.y, 0.001f);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_FALSE(hasParticleChild(character));

    answer(true);
    EXPECT_TRUE(hasParticleChild(character)); // hearts
}

// A heroine whose picture is missing is asked with no picture rather than with the previous
// heroine's; the next picture that loads shows again.
TEST_F(PlayFixture, AHeroineWhosePictureFailsToLoadIsShownWithoutAPicture) {
    Game* game = startPlay();
    Sprite* character = game->getCharacter();
    const Scenario scenario = GameData::getScenarios().begin()->second;
    Character lost = game->getCurrentGal();
    lost.file = "res/gal/lost.png";
    game->setupQuestion(scenario, lost);
    EXPECT_FALSE(character->isVisible());
    EXPECT_EQ(game->getMenuText()->getString(), replacePlaceholders(scenario.sentence, lost));

    Character found = lost;
    found.file = "res/gal/b.png";
    game->setupQuestion(scenario, found);
    EXPECT_TRUE(character->isVisible());
    EXPECT_EQ(character->getTexture(),
              SpriteFrameCache::getInstance()->getSpriteFrameByName("res/gal/b.png")->getTexture());
}

// A node that failed to load is named in the log wherever the play would have used it.
TEST_F(PlayFixture, UsesOfMissingNodesAreLoggedByName) {
    Game* game = startPlay();
    game->setTimeLabel(nullptr);
    game->setScoreLabel(nullptr);
    game->setSelectionMenu(nullptr);
    advance(kFrame);
    EXPECT_EQ(countLogged("timeLabel is null"), 2) << "the clock's text and its outline";
    game->addScore(100, 0.2f);
    advance(kFrame, 30);
    EXPECT_EQ(countLogged("scoreLabel is null"), 1);
    game->startGameOver();
    EXPECT_EQ(countLogged("selectionMenu is null"), 1);
}

TEST_F(PlayFixture, TheClockColourBlendsFromBlueToRedAndStaysInRange) {
    Game* game = startPlay();
    expectColour(game->timerColor(), 18, 10, 152);
    advance(50.0f);
    expectColour(game->timerColor(), 178, 12, 12);
    advance(9.0f);
    expectColour(game->timerColor(), 178, 12, 12);
    game->addTime(129, 1.0f); // 130 s: the blend weight is -1, red and blue leave 0..1
    expectColour(game->timerColor(), 0, 7, 255);
}
