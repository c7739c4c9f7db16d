// A new play: its state, the heroine table, and where every node sits.
#include <set>

#include "PlayFixture.h"

using namespace cocos2d;
using namespace play_test;

namespace {

void expectAt(Node* node, float x, float y, const char* what) {
    ASSERT_NE(node, nullptr) << what;
    EXPECT_NEAR(node->getPositionX(), x, 0.01f) << what;
    EXPECT_NEAR(node->getPositionY(), y, 0.01f) << what;
}

// Every position of the layout, from the director's visible size and origin.
void expectLayout(Game* game) {
    const Size size = Director::getInstance()->getVisibleSize();
    const Vec2 origin = Director::getInstance()->getVisibleOrigin();
    const float w = size.width, h = size.height, cx = origin.x + w / 2, cy = origin.y + h / 2;
    expectAt(game->getTimeLabel(), cx, origin.y + 0.875f * h, "timeLabel");
    expectAt(game->getScoreLabel(), cx + 0.375f * w, cy + 0.375f * h, "scoreLabel");
    expectAt(game->getTextBox(), cx, origin.y + 0.125f * h, "textBox");
    expectAt(game->getMenuText(), w / 2 + 28, origin.y + 0.125f * h, "menuText");
    expectAt(game->getCharacter(), origin.x + 0.75f * w, cy, "character");
    expectAt(game->getBackground(), cx, cy, "background");
    expectAt(game->getIcon(), w - 140, cy + 200, "icon");

    const Vec2 row0 = game->answerRowPosition(0), row1 = game->answerRowPosition(1);
    EXPECT_NEAR(row0.x, cx / 1.5f, 0.01f);
    EXPECT_NEAR(row0.y, cy * 1.25f, 0.01f);
    EXPECT_NEAR(row0.y - row1.y, h / 10 + h / 6, 0.01f);
    for (Sprite* portrait : {game->getSuccessCharacter(), game->getFailureCharacter()}) {
        const float scaledWidth = portrait->getContentSize().width * portrait->getScaleX();
        EXPECT_NEAR(portrait->getPositionX(), row0.x + w / 4 + scaledWidth / 2, 0.01f);
    }

    // Stretched over the visible width (and a quarter of its height for the text box).
    Sprite* box = game->getTextBox();
    EXPECT_NEAR(box->getContentSize().width * box->getScaleX(), w, 0.01f);
    EXPECT_NEAR(box->getContentSize().height * box->getScaleY(), h / 4, 0.01f);
    Sprite* background = game->getBackground();
    EXPECT_NEAR(background->getContentSize().height * background->getScaleY(), h, 0.01f);
}

} // namespace

TEST_F(PlayFixture, ANewPlayHasAFullClockNoScoreAndThreeDifferentHeroinesAtFavourFive) {
    Game* game = startPlay();
    EXPECT_FLOAT_EQ(game->getTimeLeft(), 60.0f);
    EXPECT_EQ(timeText(), "60.00");
    EXPECT_EQ(scoreText(), "0");
    EXPECT_TRUE(game->canAnswer());

    const Play& play = game->getPlay();
    ASSERT_EQ(play.activeGalCount(), 3);
    std::set<int> dealt;
    for (int slot = 0; slot < 3; ++slot) {
        dealt.insert(play.activeGal(slot).gal.id);
        EXPECT_EQ(play.activeGal(slot).favour, 5);
    }
    EXPECT_EQ(dealt.size(), 3u);
    const auto& waiting = play.waitingGals();
    ASSERT_EQ(waiting.size(), 2u);
    EXPECT_LT(waiting[0].id, waiting[1].id);
    EXPECT_EQ(dealt.count(waiting[0].id) + dealt.count(waiting[1].id), 0u);

    // The heroine asked is in play; the two who may follow are the other two.
    const std::set<int> next = {game->getSuccessGal().id, game->getFailureGal().id};
    EXPECT_EQ(dealt.count(game->getCurrentGal().id), 1u);
    EXPECT_EQ(next.size(), 2u);
    EXPECT_EQ(next.count(game->getCurrentGal().id), 0u);
}

TEST_F(PlayFixture, NodesSitAtTheirPlacesOnAFullView) {
    Game* game = startPlay();
    expectLayout(game);
    EXPECT_EQ(game->getBackground()->getLocalZOrder(), 0);
    EXPECT_EQ(game->getCharacter()->getLocalZOrder(), 1);
    EXPECT_EQ(game->getTextBox()->getLocalZOrder(), 2);
    EXPECT_EQ(game->getMenuText()->getLocalZOrder(), 3);
    EXPECT_EQ(game->getTimeLabel()->getLocalZOrder(), 4);
}

TEST_F(PlayFixture, NodesFollowTheVisibleOriginOfACroppedView) {
    // A taller frame under NO_BORDER crops the sides, a wider one the top and bottom.
    for (const Size frame : {Size(1280, 800), Size(1440, 720)}) {
        TearDown();
        startEngine(static_cast<int>(frame.width), static_cast<int>(frame.height),
                    {kFixtureRoot, kShippedRoot});
        const Vec2 origin = Director::getInstance()->getVisibleOrigin();
        ASSERT_GT(origin.x + origin.y, 1.0f);
        expectLayout(startPlay());
    }
}

TEST_F(PlayFixture, MissingPicturesLeaveNodesOutAndThePlayGoesOn) {
    // Every background and every heroine picture of this content is missing.
    TearDown();
    startEngine(1280, 720, {kFixtureRoot + "broken/", kFixtureRoot, kShippedRoot});
    Game* game = startPlay();
    EXPECT_EQ(game->getBackground(), nullptr);
    EXPECT_EQ(game->getCharacter(), nullptr);
    EXPECT_EQ(game->getSuccessCharacter(), nullptr);
    EXPECT_EQ(countLogged("background is null"), 1);

    // Answers and a refused confession have no portrait for their effects, and carry on.
    answer(false);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_EQ(countLogged("background is null"), 2);
    EXPECT_GE(countLogged("Success character is null"), 2);
    answer(true);
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    entryOf(game->getCurrentGal()).favour = 0;
    press(cocos2d::EventKeyboard::KeyCode::KEY_SPACE);
    advance(kFrame, 185);
    EXPECT_TRUE(game->canAnswer());
}
