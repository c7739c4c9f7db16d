// Questions, the input gate and the clock.
#include <set>

#include "PlayFixture.h"

using namespace cocos2d;
using play_test::PlayFixture;

namespace {

bool containsPlaceholder(const std::string& text) {
    return text.find("<主人公>") != std::string::npos || text.find("<ヒロイン>") != std::string::npos;
}

} // namespace

TEST_F(PlayFixture, AQuestionOffersOneAcceptedAndOneRejectedAnswerWithHerWordsFilledIn) {
    Game* game = startPlay();
    const Character& gal = game->getCurrentGal();
    const auto& selections = game->getSelections();
    ASSERT_EQ(selections.size(), 2u);
    EXPECT_NE(selections[0].judge(gal), selections[1].judge(gal));

    for (const auto& selection : selections) {
        EXPECT_FALSE(containsPlaceholder(selection.sentence)) << selection.sentence;
        EXPECT_FALSE(containsPlaceholder(selection.success.sentence)) << selection.success.sentence;
        EXPECT_FALSE(containsPlaceholder(selection.failure.sentence)) << selection.failure.sentence;
    }
    const Selection& accepted = selections[acceptedRow()];
    const Selection& rejected = selections[1 - acceptedRow()];
    EXPECT_NE(accepted.sentence.find(gal.name), std::string::npos) << accepted.sentence;
    EXPECT_NE(accepted.success.sentence.find(gal.you), std::string::npos) << accepted.success.sentence;
    EXPECT_NE(rejected.failure.sentence.find(gal.you), std::string::npos) << rejected.failure.sentence;

    const std::string line = game->getMenuText()->getString();
    EXPECT_FALSE(line.empty());
    EXPECT_FALSE(containsPlaceholder(line)) << line;
    EXPECT_EQ(line.rfind(gal.name, 0), 0u) << line;

    // The menu shows the same two texts on the two rows.
    auto& items = game->getSelectionMenu()->getChildren();
    ASSERT_EQ(items.size(), 2);
    for (int row = 0; row < 2; ++row) {
        auto* label = dynamic_cast<Label*>(static_cast<MenuItemLabel*>(items.at(row))->getLabel());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->getString(), selections[row].sentence);
        EXPECT_NEAR(items.at(row)->getPositionY(), game->nextGalSlotPosition(row).y, 0.01f);
    }
}

TEST_F(PlayFixture, TheSuccessPortraitStandsBesideTheAcceptedRowInBothRowOrders) {
    Game* game = startPlay();
    std::set<int> acceptedRowsSeen;
    for (int question = 0; question < 40 && acceptedRowsSeen.size() < 2; ++question) {
        game->buildSelections(game->getCurrentGal(), GameData::getScenarios().begin()->second.selections);
        game->updateNextGalPortraits();
        const int row = acceptedRow();
        acceptedRowsSeen.insert(row);
        EXPECT_EQ(game->isFirstSelectionCorrect(), row == 0);
        EXPECT_NEAR(game->getSuccessCharacter()->getPositionY(), rowPoint(row).y, 0.01f);
        EXPECT_NEAR(game->getFailureCharacter()->getPositionY(), rowPoint(1 - row).y, 0.01f);
    }
    EXPECT_EQ(acceptedRowsSeen.size(), 2u) << "both row orders should come up in 40 draws";
}

TEST_F(PlayFixture, RebuildingTheSelectionsLeavesOneMenuAndTwoFrames) {
    Game* game = startPlay();
    const auto before = game->getChildrenCount();
    for (int i = 0; i < 5; ++i) {
        game->buildSelections(game->getCurrentGal(), GameData::getScenarios().begin()->second.selections);
    }
    EXPECT_EQ(game->getChildrenCount(), before);
    EXPECT_TRUE(game->getSelectionMenu()->isEnabled());
}

TEST_F(PlayFixture, AnswersAreRefusedWhileTheReactionShowsAndTakenAfterFinishDelay) {
    Game* game = startPlay();
    advance(1.0f / 60);
    ext::keyPress(EventKeyboard::KeyCode::KEY_UP_ARROW);
    advance(1.0f / 60);
    ASSERT_EQ(countLogged("Start delay"), 1);
    EXPECT_FALSE(game->canAnswer());
    const std::string reaction = game->getMenuText()->getString();

    // Keys and clicks during the 1.2 s do nothing.
    for (int i = 0; i < 60; ++i) {
        ext::keyPress(i % 2 ? EventKeyboard::KeyCode::KEY_UP_ARROW : EventKeyboard::KeyCode::KEY_DOWN_ARROW);
        ext::click(rowPoint(i % 2));
        advance(1.0f / 60);
    }
    EXPECT_EQ(countLogged("Start delay"), 1);
    EXPECT_EQ(game->getMenuText()->getString(), reaction);

    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_TRUE(game->canAnswer());
    ext::keyPress(EventKeyboard::KeyCode::KEY_UP_ARROW);
    advance(1.0f / 60);
    EXPECT_EQ(countLogged("Start delay"), 2);
}

TEST_F(PlayFixture, AClickAndAKeyInTheSameFrameGiveOneAnswer) {
    Game* game = startPlay();
    advance(1.0f / 60);
    ext::click(rowPoint(0));
    ext::keyPress(EventKeyboard::KeyCode::KEY_DOWN_ARROW);
    advance(1.0f / 60);
    EXPECT_EQ(countLogged("Start delay"), 1);
    EXPECT_EQ(countLoggedPrefix("score is "), 1);
    EXPECT_FALSE(game->isAcceptingInput());
}

TEST_F(PlayFixture, AClickOnADisabledMenuOrBesideTheRowsDoesNothing) {
    Game* game = startPlay();
    advance(1.0f / 60);
    ext::click(Vec2(1200, 100));
    advance(1.0f / 60);
    EXPECT_EQ(countLogged("Start delay"), 0);

    game->getSelectionMenu()->setEnabled(false);
    ext::click(rowPoint(0));
    advance(1.0f / 60);
    EXPECT_EQ(countLogged("Start delay"), 0);
    EXPECT_TRUE(game->isAcceptingInput());
}

TEST_F(PlayFixture, OtherKeysAreIgnored) {
    startPlay();
    advance(1.0f / 60);
    for (auto code : {EventKeyboard::KeyCode::KEY_LEFT_ARROW, EventKeyboard::KeyCode::KEY_ENTER,
                      EventKeyboard::KeyCode::KEY_A}) {
        ext::keyPress(code);
    }
    advance(1.0f / 60);
    EXPECT_EQ(countLogged("Start delay"), 0);
}

TEST_F(PlayFixture, TheClockShowsTwoDecimalsAndRunsOnWallTime) {
    Game* game = startPlay();
    EXPECT_EQ(timeText(), "60.00");

    // The frame's dt is not what counts: 2.5 s of wall clock pass in a 1/60 s frame.
    _ticks += static_cast<std::int64_t>(2.5 * kTicksPerSecond);
    ext::step(1.0f / 60);
    EXPECT_NEAR(game->getTimeLeft(), 57.5f, 0.001f);
    EXPECT_EQ(timeText(), "57.50");

    // A stalled frame is charged in full at the next one.
    advance(10.0f);
    EXPECT_NEAR(game->getTimeLeft(), 47.5f, 0.001f);
    EXPECT_EQ(timeText(), "47.50");
    EXPECT_FALSE(game->isGameOver());
}

TEST_F(PlayFixture, TheLastHundredthEndsThePlayInTheFrameThatReachesZero) {
    Game* game = startPlay();
    advance(59.996f);
    ASSERT_NEAR(game->getTimeLeft(), 0.004f, 0.0005f);
    EXPECT_EQ(timeText(), "0.00");
    EXPECT_FALSE(game->isGameOver());
    EXPECT_TRUE(game->isAcceptingInput());

    advance(0.01f);
    EXPECT_EQ(game->getTimeLeft(), 0.0f);
    EXPECT_EQ(timeText(), "0.00");
    EXPECT_TRUE(game->isGameOver());
    EXPECT_FALSE(game->isAcceptingInput());
    EXPECT_FALSE(game->getSelectionMenu()->isEnabled());
}
