// The play on the shipped content and media: every node of the screen is there, and the key
// moments are written as pictures (build/<dir>/captures/play/) for a person to look at.
#include <filesystem>

#include "PlayFixture.h"

using namespace cocos2d;
using play_test::PlayFixture;

namespace {

const std::string kShippedRoot = std::string(SOLVANE_SOURCE_DIR) + "/Resources/";
const std::filesystem::path kCaptureDir = std::filesystem::path(SOLVANE_BIN_DIR) / ".." / "captures" / "play";

} // namespace

class ShippedPlayTest : public PlayFixture {
protected:
    void SetUp() override {
        startEngine(1280, 720, kShippedRoot);
        std::filesystem::create_directories(kCaptureDir);
    }

    void capture(const std::string& name) {
        EXPECT_TRUE(ext::saveFrame((kCaptureDir / (name + ".png")).string())) << name;
    }

    void expectEveryNode(Game* game) {
        EXPECT_NE(game->getTimeLabel(), nullptr);
        EXPECT_NE(game->getScoreLabel(), nullptr);
        EXPECT_NE(game->getMenuText(), nullptr);
        EXPECT_NE(game->getTextBox(), nullptr);
        EXPECT_NE(game->getCharacter(), nullptr) << game->getCurrentGal().file;
        EXPECT_NE(game->getBackground(), nullptr);
        EXPECT_NE(game->getSuccessCharacter(), nullptr) << game->getSuccessGal().file;
        EXPECT_NE(game->getFailureCharacter(), nullptr) << game->getFailureGal().file;
        EXPECT_NE(game->getIcon(), nullptr);
        EXPECT_NE(game->getSelectionMenu(), nullptr);
    }

    void answer(bool right) {
        const int row = right ? acceptedRow() : 1 - acceptedRow();
        ext::keyPress(row == 0 ? EventKeyboard::KeyCode::KEY_UP_ARROW : EventKeyboard::KeyCode::KEY_DOWN_ARROW);
        advance(1.0f / 60);
    }
};

TEST_F(ShippedPlayTest, QuestionsAndReactionsShowEveryNode) {
    Game* game = startPlay();
    advance(1.0f / 60, 30);
    expectEveryNode(game);
    capture("01_first_question");

    answer(true);
    advance(1.0f / 60, 20);
    capture("02_right_answer");
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    expectEveryNode(game);
    capture("03_second_question");

    answer(false);
    advance(1.0f / 60, 12);
    capture("04_wrong_answer");
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));

    // Every heroine of the shipped cast comes through the table with her picture.
    for (int turn = 0; turn < 8; ++turn) {
        answer(turn % 3 != 0);
        ASSERT_TRUE(advanceUntilLogged("Finish delay"));
        expectEveryNode(game);
    }
}

TEST_F(ShippedPlayTest, ConfessionsAndTheEndOfThePlay) {
    Game* game = startPlay();
    advance(1.0f / 60, 10);
    entryOf(game->getCurrentGal()).favour = 10;
    ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
    advance(1.0f / 60, 30);
    capture("05_confession_opening");
    advance(1.0f / 60, 70);
    capture("06_confession_success");
    EXPECT_EQ(game->getScore(), 1000);
    advance(1.0f / 60, 120);
    ASSERT_TRUE(game->canAnswer());

    entryOf(game->getCurrentGal()).favour = 0;
    ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
    advance(1.0f / 60, 100);
    capture("07_confession_failure");
    EXPECT_EQ(game->getScore(), 1000);

    while (!game->isGameOver()) {
        advance(0.25f);
    }
    advance(1.0f / 60, 15);
    capture("08_game_over_fading");
    advance(1.0f / 60, 30);
    capture("09_game_over");
}
