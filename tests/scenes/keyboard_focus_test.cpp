// Every front screen without a mouse: the focus heart moves with Up/Down and Tab, Enter and
// Space activate, Escape goes back with each screen's own music rules, Left/Right set the
// volume; the mouse still moves the focus. On the shipped resources.

#include <algorithm>
#include <vector>

#include "audio/include/AudioEngine.h"
#include "data/GameData.h"
#include "ext/Input.h"
#include "gameplay/Game.h"
#include "scenes/Gals.h"
#include "scenes/GameSceneFixture.h"
#include "scenes/MenuFocus.h"
#include "scenes/Score.h"
#include "scenes/Setting.h"
#include "scenes/Title.h"
#include "scenes/Tutorial.h"
#include "shell/BGM.h"
#include "ui/CocosGUI.h"

USING_NS_CC;
using experimental::AudioEngine;
using Key = EventKeyboard::KeyCode;

namespace {

constexpr float kFrame = 1.0f / 60.0f;
const std::string kTitleMusic = "res/bgm/op.mp3";

class KeyboardFocusTest : public GameSceneFixture {
protected:
    void press(Key key, int frames = 1) {
        ext::keyPress(key);
        step(kFrame, frames);
    }

    static MenuFocus* focusOf(Scene* scene) { return scene->getChildByName<MenuFocus*>(MenuFocus::kName); }
    template <class T> T* running() { return dynamic_cast<T*>(director()->getRunningScene()); }

    // Where a node's box sits in the world, for comparing the mark against its entry.
    static Rect worldBox(Node* node) {
        const Vec2 origin = node->convertToWorldSpace(Vec2::ZERO);
        const Vec2 corner = node->convertToWorldSpace(Vec2(node->getContentSize()));
        return Rect(origin.x, origin.y, corner.x - origin.x, corner.y - origin.y);
    }

    // The heart is shown on screen, just left of the focused entry and level with it.
    static void expectMarkBeside(MenuFocus* focus) {
        Sprite* mark = focus->getMark();
        ASSERT_NE(mark, nullptr);
        ASSERT_NE(focus->getFocusedNode(), nullptr);
        EXPECT_TRUE(mark->isVisible());
        const Rect entry = worldBox(focus->getFocusedNode());
        const Vec2 at = mark->convertToWorldSpace(Vec2(mark->getContentSize()) / 2);
        EXPECT_LT(at.x, entry.getMinX());
        EXPECT_GT(at.x, entry.getMinX() - 60);
        EXPECT_NEAR(at.y, entry.getMidY(), 1.0f);
        EXPECT_GT(at.x, 0.0f);
    }
};

TEST_F(KeyboardFocusTest, TitleFocusMovesWithArrowsAndTabAndWrapsWithoutMovingTheButtons) {
    auto title = run(Title::create());
    auto focus = focusOf(title);
    ASSERT_NE(focus, nullptr);
    std::vector<Vec2> before;
    for (auto child : title->getChildren()) {
        before.push_back(child->getPosition());
    }
    EXPECT_EQ(focus->getFocusedIndex(), 0) << "the first entry is focused on arrival";
    expectMarkBeside(focus);

    const std::pair<Key, int> moves[] = {{Key::KEY_DOWN_ARROW, 1},
                                         {Key::KEY_TAB, 2},
                                         {Key::KEY_DOWN_ARROW, 0},
                                         {Key::KEY_UP_ARROW, 2},
                                         {Key::KEY_UP_ARROW, 1}};
    for (const auto& [key, expected] : moves) {
        press(key);
        EXPECT_EQ(focus->getFocusedIndex(), expected) << "after key " << int(key);
        expectMarkBeside(focus);
    }
    ext::keyDown(Key::KEY_LEFT_SHIFT);
    press(Key::KEY_TAB);
    EXPECT_EQ(focus->getFocusedIndex(), 0) << "Shift+Tab goes back";
    ext::keyUp(Key::KEY_LEFT_SHIFT);
    press(Key::KEY_TAB);
    EXPECT_EQ(focus->getFocusedIndex(), 1);

    std::vector<Vec2> after;
    for (auto child : title->getChildren()) {
        after.push_back(child->getPosition());
    }
    EXPECT_EQ(before, after) << "the focus never moves a part of the layout";
    press(Key::KEY_ESCAPE, 2);
    EXPECT_EQ(running<Title>(), title) << "the title has no way back";
}

TEST_F(KeyboardFocusTest, EnterAndSpaceActivateTheFocusedEntry) {
    run(Title::create());
    const int titleTrack = currentBGMId;
    press(Key::KEY_DOWN_ARROW);
    press(Key::KEY_ENTER, 2);
    auto setting = running<Setting>();
    ASSERT_NE(setting, nullptr) << "Enter on Settings";
    EXPECT_EQ(focusOf(setting)->getFocusedIndex(), 0);
    press(Key::KEY_ENTER, 2); // the volume caption does nothing
    EXPECT_EQ(running<Setting>(), setting);
    press(Key::KEY_UP_ARROW); // wraps to Exit
    press(Key::KEY_SPACE, 2);
    ASSERT_NE(running<Title>(), nullptr) << "Space on Exit";
    EXPECT_EQ(currentBGMId, titleTrack) << "the title track carried on through the settings";

    press(Key::KEY_KP_ENTER, 2); // Start
    EXPECT_NE(running<Game>(), nullptr);
    EXPECT_NE(currentBGMPath, kTitleMusic) << "the title music was released for the play";
}

TEST_F(KeyboardFocusTest, EscapeGoesBackWhereTheScreenHasAWayBack) {
    run(Title::create());
    const int titleTrack = currentBGMId;
    director()->replaceScene(Setting::create());
    step(kFrame);
    press(Key::KEY_ESCAPE, 2);
    ASSERT_NE(running<Title>(), nullptr) << "Settings -> Title";
    EXPECT_EQ(currentBGMId, titleTrack) << "as the Exit entry: the title track goes on";

    director()->replaceScene(Gals::create());
    step(kFrame);
    press(Key::KEY_BACKSPACE, 2);
    EXPECT_NE(running<Setting>(), nullptr) << "Gallery -> its way back, the settings";

    auto score = Score::create();
    score->setScores(100, 200);
    director()->replaceScene(score);
    step(kFrame, 40); // the score screen fades the music out
    EXPECT_FALSE(AudioEngine::getState(titleTrack) == AudioEngine::AudioState::PLAYING);
    press(Key::KEY_ESCAPE, 2);
    ASSERT_NE(running<Title>(), nullptr) << "Score -> Title";
    EXPECT_EQ(currentBGMPath, kTitleMusic);
    EXPECT_NE(currentBGMId, titleTrack) << "released on the way: the title music starts afresh";
}

TEST_F(KeyboardFocusTest, EscapeIsIgnoredInTheTutorialAndInAPlay) {
    auto tutorial = run(Tutorial::create());
    press(Key::KEY_ESCAPE, 2);
    EXPECT_EQ(running<Tutorial>(), tutorial);
    auto game = Game::create();
    director()->replaceScene(game);
    step(kFrame, 3);
    press(Key::KEY_ESCAPE, 3);
    EXPECT_EQ(running<Game>(), game);
}

TEST_F(KeyboardFocusTest, LeftAndRightMoveTheVolumeByFivePercentAndStoreIt) {
    auto setting = run(Setting::create());
    ui::Slider* slider = nullptr;
    for (auto child : focusOf(setting)->getFocusedNode()->getChildren()) {
        slider = slider ? slider : dynamic_cast<ui::Slider*>(child);
    }
    ASSERT_NE(slider, nullptr) << "the volume entry is focused first";
    press(Key::KEY_LEFT_ARROW);
    EXPECT_EQ(slider->getPercent(), 95);
    EXPECT_FLOAT_EQ(bgmVolume, 0.95f) << "stored as a release on the slider stores it";
    for (int i = 0; i < 25; ++i) {
        press(Key::KEY_LEFT_ARROW);
    }
    EXPECT_EQ(slider->getPercent(), 0);
    EXPECT_FLOAT_EQ(bgmVolume, 0.0f);
    press(Key::KEY_RIGHT_ARROW);
    EXPECT_FLOAT_EQ(bgmVolume, 0.05f);
    press(Key::KEY_DOWN_ARROW);
    press(Key::KEY_RIGHT_ARROW);
    EXPECT_FLOAT_EQ(bgmVolume, 0.05f) << "Left/Right do nothing on the other entries";
    EXPECT_EQ(running<Setting>(), setting);
}

TEST_F(KeyboardFocusTest, HoverAndPressMoveTheFocusToo) {
    auto title = run(Title::create());
    auto focus = focusOf(title);
    std::vector<ui::Button*> buttons;
    for (auto child : title->getChildren()) {
        if (auto button = dynamic_cast<ui::Button*>(child)) {
            buttons.push_back(button);
        }
    }
    std::sort(buttons.begin(), buttons.end(),
              [](Node* a, Node* b) { return a->getPositionY() > b->getPositionY(); });
    ASSERT_EQ(buttons.size(), 3u);
    ext::mouseMove(buttons[2]->getPosition());
    step(kFrame);
    EXPECT_EQ(focus->getFocusedIndex(), 2);
    ext::mouseMove(Vec2(1000, 100)); // over nothing: the focus stays
    step(kFrame);
    EXPECT_EQ(focus->getFocusedIndex(), 2);
    ext::touchBegin(buttons[1]->getPosition());
    step(kFrame);
    EXPECT_EQ(focus->getFocusedIndex(), 1);
    ext::touchEnd(buttons[1]->getPosition());
    step(kFrame, 2);
    EXPECT_NE(running<Setting>(), nullptr) << "the press still reaches the button";
}

TEST_F(KeyboardFocusTest, GalleryNamesAreFocusedAndEnterShowsThatHeroine) {
    auto gals = run(Gals::create());
    auto focus = focusOf(gals);
    expectMarkBeside(focus);
    press(Key::KEY_DOWN_ARROW);
    auto item = dynamic_cast<MenuItemLabel*>(focus->getFocusedNode());
    ASSERT_NE(item, nullptr);
    const std::string name = static_cast<Label*>(item->getLabel())->getString();
    press(Key::KEY_ENTER);
    const Character& second = std::next(GameData::viewCharacters().begin())->second;
    EXPECT_EQ(name, second.name);
    EXPECT_EQ(gals->getDescriptionLabel()->getString(), GameData::getCharacterInfo(second.id));
    expectMarkBeside(focus);
}

TEST_F(KeyboardFocusTest, TheTutorialIsReadToTheEndWithEnterAlone) {
    auto tutorial = run(Tutorial::create());
    auto focus = focusOf(tutorial);
    for (int page = 1; page <= 4; ++page) {
        expectMarkBeside(focus);
        EXPECT_EQ(focus->getFocusedIndex(), page - 1);
        press(Key::KEY_ENTER, 40); // the slide takes half a second
    }
    EXPECT_EQ(focus->getFocusedIndex(), 4);
    expectMarkBeside(focus);
    press(Key::KEY_ENTER, 2);
    EXPECT_NE(running<Title>(), nullptr);
}

} // namespace
