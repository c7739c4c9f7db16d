// The play on the shipped content and media: every node of the screen is there on every turn,
// and the key moments are written as pictures (build/<dir>/captures/play/) to look at.
#include <filesystem>

#include "PlayFixture.h"

using namespace cocos2d;
using namespace play_test;
using Key = EventKeyboard::KeyCode;

namespace {

const std::filesystem::path kCaptureDir = std::filesystem::path(SOLVANE_BIN_DIR) / ".." / "captures" / "play";

} // namespace

class ShippedPlayTest : public PlayFixture {
protected:
    void SetUp() override {
        startEngine(1280, 720, {kShippedRoot});
        std::filesystem::create_directories(kCaptureDir);
    }

    void capture(const std::string& name) {
        EXPECT_TRUE(ext::saveFrame((kCaptureDir / (name + ".png")).string())) << name;
    }

    void expectEveryNode() {
        for (Node* node : std::initializer_list<Node*>{
                 _game->getTimeLabel(), _game->getScoreLabel(), _game->getMenuText(), _game->getTextBox(),
                 _game->getCharacter(), _game->getBackground(), _game->getSuccessCharacter(),
                 _game->getFailureCharacter(), _game->getIcon(), _game->getSelectionMenu()}) {
            EXPECT_NE(node, nullptr) << "asking " << _game->getCurrentGal().name;
        }
    }
};

TEST_F(ShippedPlayTest, QuestionsAndAnswers) {
    startPlay();
    advance(kFrame, 30);
    expectEveryNode();
    capture("01_first_question");
    answer(true);
    advance(kFrame, 20);
    capture("02_right_answer");
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    answer(false);
    advance(kFrame, 12);
    capture("03_wrong_answer");

    for (int turn = 0; turn < 8; ++turn) {
        ASSERT_TRUE(advanceUntilLogged("Finish delay"));
        expectEveryNode();
        answer(turn % 3 != 0);
    }
}

TEST_F(ShippedPlayTest, ConfessionsAndTheEndOfThePlay) {
    Game* game = startPlay();
    entryOf(game->getCurrentGal()).favour = 10;
    press(Key::KEY_SPACE);
    advance(kFrame, 30);
    capture("04_confession_opening");
    advance(kFrame, 70);
    capture("05_confession_success");
    advance(kFrame, 120);
    ASSERT_TRUE(game->canAnswer());

    entryOf(game->getCurrentGal()).favour = 0;
    press(Key::KEY_SPACE);
    advance(kFrame, 100);
    capture("06_confession_failure");
    EXPECT_EQ(game->getScore(), 1000);

    while (!game->isGameOver()) {
        advance(0.25f);
    }
    advance(kFrame, 15);
    capture("07_game_over_fading");
    advance(kFrame, 30);
    capture("08_game_over");
}

// Her portrait wears the face of what she says: her reply's emotion after an answer, surprise at
// a confession, then joy or sorrow with her answer to it.
TEST_F(ShippedPlayTest, ThePortraitFollowsTheEmotionOfEachLine) {
    Game* game = startPlay();
    const auto shows = [&](const std::string& picture) {
        SpriteFrame* frame = SpriteFrameCache::getInstance()->getSpriteFrameByName(picture);
        return frame && game->getCharacter()->isVisible() &&
               game->getCharacter()->getTexture() == frame->getTexture();
    };
    int changed = 0;
    for (int turn = 0; turn < 6; ++turn) {
        const Character asked = game->getCurrentGal();
        const bool right = turn % 2 == 0;
        const int row = right ? acceptedRow() : 1 - acceptedRow();
        const Selection chosen = game->getSelections().at(row);
        const Reaction reply = right ? chosen.success : chosen.failure;
        answer(right);
        const std::string face = pictureFor(asked, reply.emotion);
        EXPECT_TRUE(shows(face)) << asked.name << " replying, expected " << face;
        changed += face != asked.file ? 1 : 0;
        if (turn == 0) {
            capture("08_reply_expression");
        }
        ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    }
    EXPECT_GT(changed, 0) << "the shipped replies never show an expression";

    const Character asked = game->getCurrentGal();
    ASSERT_EQ(asked.expressions.size(), 6u) << asked.name;
    entryOf(asked).favour = 10;
    press(Key::KEY_SPACE);
    EXPECT_TRUE(shows(pictureFor(asked, Emotion::Surprised)));
    advance(kFrame, 91);
    EXPECT_TRUE(shows(pictureFor(asked, Emotion::Happy)));
    capture("09_confession_happy");
}
