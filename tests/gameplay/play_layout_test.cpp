// A new play: its state, the heroine table, and where every node sits.
#include <set>

#include "PlayFixture.h"

using namespace cocos2d;
using play_test::PlayFixture;

namespace {

void expectAt(Node* node, float x, float y, const char* what) {
    ASSERT_NE(node, nullptr) << what;
    EXPECT_NEAR(node->getPositionX(), x, 0.01f) << what;
    EXPECT_NEAR(node->getPositionY(), y, 0.01f) << what;
}

// Every position of the layout, from the visible size (w, h) and origin (ox, oy).
void expectLayout(Game* game, float w, float h, float ox, float oy) {
    const float cx = ox + w / 2, cy = oy + h / 2;
    expectAt(game->getTimeLabel(), cx, oy + 0.875f * h, "timeLabel");
    expectAt(game->getScoreLabel(), cx + 0.375f * w, cy + 0.375f * h, "scoreLabel");
    expectAt(game->getTextBox(), cx, oy + 0.125f * h, "textBox");
    expectAt(game->getMenuText(), w / 2 + 28, oy + 0.125f * h, "menuText ignores the origin's x");
    expectAt(game->getCharacter(), ox + 0.75f * w, cy, "character");
    expectAt(game->getBackground(), cx, cy, "background");
    expectAt(game->getIcon(), w - 140, cy + 200, "icon");

    const Vec2 row0 = game->nextGalSlotPosition(0);
    const Vec2 row1 = game->nextGalSlotPosition(1);
    EXPECT_NEAR(row0.x, cx / 1.5f, 0.01f);
    EXPECT_NEAR(row0.y, cy * 1.25f, 0.01f);
    EXPECT_NEAR(row0.y - row1.y, h / 10 + h / 6, 0.01f);

    // The small portraits sit just right of their rows.
    for (Sprite* portrait : {game->getSuccessCharacter(), game->getFailureCharacter()}) {
        ASSERT_NE(portrait, nullptr);
        const float scaledWidth = portrait->getContentSize().width * portrait->getScaleX();
        EXPECT_NEAR(portrait->getPositionX(), row0.x + w / 4 + scaledWidth / 2, 0.01f);
        EXPECT_TRUE(std::abs(portrait->getPositionY() - row0.y) < 0.01f ||
                    std::abs(portrait->getPositionY() - row1.y) < 0.01f);
    }

    // Stretched nodes cover the visible area.
    Sprite* box = game->getTextBox();
    EXPECT_NEAR(box->getContentSize().width * box->getScaleX(), w, 0.01f);
    EXPECT_NEAR(box->getContentSize().height * box->getScaleY(), h / 4, 0.01f);
    Sprite* background = game->getBackground();
    EXPECT_NEAR(background->getContentSize().width * background->getScaleX(), w, 0.01f);
    EXPECT_NEAR(background->getContentSize().height * background->getScaleY(), h, 0.01f);
}

} // namespace

TEST_F(PlayFixture, ANewPlayStartsWithFullClockNoScoreAndThreeHeroinesAtMiddleFavour) {
    Game* game = startPlay();
    EXPECT_FLOAT_EQ(game->getTimeLeft(), 60.0f);
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_TRUE(game->isAcceptingInput());
    EXPECT_TRUE(game->canAnswer());
    EXPECT_EQ(timeText(), "60.00");
    EXPECT_EQ(scoreText(), "0");

    ASSERT_EQ(activeGalCount, 3);
    std::set<int> dealt;
    for (int slot = 0; slot < activeGalCount; ++slot) {
        dealt.insert(activeGals[slot].gal.id);
        EXPECT_EQ(activeGals[slot].favour, 5);
    }
    EXPECT_EQ(dealt.size(), 3u);

    // Everybody else waits, in ascending id order.
    ASSERT_EQ(waitingGals.size(), 2u);
    EXPECT_LT(waitingGals[0].id, waitingGals[1].id);
    for (const auto& waiting : waitingGals) {
        EXPECT_EQ(dealt.count(waiting.id), 0u);
    }

    // The one asked is in the table; the two who may follow are the other two.
    EXPECT_EQ(dealt.count(game->getCurrentGal().id), 1u);
    std::set<int> others = {game->getSuccessGal().id, game->getFailureGal().id};
    EXPECT_EQ(others.size(), 2u);
    EXPECT_EQ(others.count(game->getCurrentGal().id), 0u);
    for (int id : others) {
        EXPECT_EQ(dealt.count(id), 1u);
    }
}

TEST_F(PlayFixture, EveryPlayDealsTheTableAfresh) {
    startPlay();
    activeGals[0].favour = 9;
    waitingGals.clear();
    Game* second = Game::create();
    ASSERT_NE(second, nullptr);
    for (int slot = 0; slot < activeGalCount; ++slot) {
        EXPECT_EQ(activeGals[slot].favour, 5);
    }
    EXPECT_EQ(waitingGals.size(), 2u);
}

TEST_F(PlayFixture, NodesSitWhereTheLayoutPutsThemOnA1280x720View) {
    Game* game = startPlay();
    expectLayout(game, 1280, 720, 0, 0);

    EXPECT_EQ(game->getBackground()->getLocalZOrder(), 0);
    EXPECT_EQ(game->getCharacter()->getLocalZOrder(), 1);
    EXPECT_EQ(game->getSelectionMenu()->getLocalZOrder(), 1);
    EXPECT_EQ(game->getTextBox()->getLocalZOrder(), 2);
    EXPECT_EQ(game->getMenuText()->getLocalZOrder(), 3);
    EXPECT_EQ(game->getTimeLabel()->getLocalZOrder(), 4);
    EXPECT_EQ(game->getScoreLabel()->getLocalZOrder(), 4);
}

TEST_F(PlayFixture, NodesFollowTheVisibleOriginWhenTheFrameIsCropped) {
    // A wider frame under NO_BORDER crops top and bottom: visible 1280x640 from (0, 40).
    startEngine(1440, 720, play_test::kFixtureRoot);
    const Vec2 origin = Director::getInstance()->getVisibleOrigin();
    const Size visible = Director::getInstance()->getVisibleSize();
    ASSERT_NEAR(origin.y, 40, 0.01f);
    Game* game = startPlay();
    expectLayout(game, visible.width, visible.height, origin.x, origin.y);

    // A taller frame crops the sides: the origin's x is then non-zero, which only menuText ignores.
    TearDown();
    startEngine(1280, 800, play_test::kFixtureRoot);
    const Vec2 sideOrigin = Director::getInstance()->getVisibleOrigin();
    const Size sideVisible = Director::getInstance()->getVisibleSize();
    ASSERT_GT(sideOrigin.x, 1.0f);
    game = startPlay();
    expectLayout(game, sideVisible.width, sideVisible.height, sideOrigin.x, sideOrigin.y);
}

TEST_F(PlayFixture, AMissingBackgroundLeavesTheNodeOutAndEveryQuestionSaysSo) {
    startEngine(1280, 720, play_test::kFixtureRoot + "nobg/", {play_test::kFixtureRoot});
    Game* game = startPlay();
    EXPECT_EQ(game->getBackground(), nullptr);
    EXPECT_EQ(countLogged("background is null"), 1);
    ASSERT_NE(game->getCharacter(), nullptr);

    // The play goes on: an answer leads to the next question, which logs again.
    ext::click(rowPoint(acceptedRow()));
    ASSERT_TRUE(advanceUntilLogged("Finish delay"));
    EXPECT_EQ(countLogged("background is null"), 2);
    EXPECT_TRUE(game->canAnswer());
}
