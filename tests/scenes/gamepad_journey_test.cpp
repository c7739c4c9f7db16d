// The whole game with a gamepad alone, through SDL's virtual joystick on the headless backend:
// the tutorial, the title, settings (volume on the D-pad), the gallery and back with B, a play
// answered on the D-pad and confessed with Y, the score screen, and the title's exit button.

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "data/GameData.h"
#include "gameplay/Game.h"
#include "scenes/Gals.h"
#include "scenes/GameSceneFixture.h"
#include "scenes/MenuFocus.h"
#include "scenes/Score.h"
#include "scenes/Setting.h"
#include "scenes/Title.h"
#include "scenes/Tutorial.h"
#include "shell/BGM.h"
#include "shell/TickClock.h"

USING_NS_CC;

namespace {

constexpr float kFrame = 1.0f / 60.0f;

class GamepadJourneyTest : public GameSceneFixture {
protected:
    void SetUp() override {
        GameSceneFixture::SetUp();
        setTickSource([this] { return _ticks; });
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
            GTEST_SKIP() << "no game-controller subsystem: " << SDL_GetError();
        }
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                    SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        _pad = SDL_JoystickOpen(index);
        ASSERT_NE(_pad, nullptr);
        wait(0.1f);
    }

    void TearDown() override {
        if (_pad) {
            const SDL_JoystickID id = SDL_JoystickInstanceID(_pad);
            SDL_JoystickClose(_pad);
            for (int i = 0; i < SDL_NumJoysticks(); ++i) {
                if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                    SDL_JoystickDetachVirtual(i);
                }
            }
            wait(kFrame);
        }
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        setTickSource({});
        GameSceneFixture::TearDown();
    }

    // Frames for that long, with the play's clock moving along.
    void wait(float seconds) {
        for (float t = 0; t < seconds; t += kFrame) {
            _ticks += static_cast<std::int64_t>(kFrame * kTicksPerSecond);
            step(kFrame);
        }
    }

    void tap(SDL_GameControllerButton button, float settle = 0.1f) {
        SDL_JoystickSetVirtualButton(_pad, button, SDL_PRESSED);
        wait(kFrame);
        SDL_JoystickSetVirtualButton(_pad, button, SDL_RELEASED);
        wait(settle);
    }

    template <class T> bool showing() { return dynamic_cast<T*>(director()->getRunningScene()) != nullptr; }

    SDL_Joystick* _pad = nullptr;
    std::int64_t _ticks = 1000 * kTicksPerSecond;
};

TEST_F(GamepadJourneyTest, EveryScreenIsPlayedFromStartToExitWithThePadAlone) {
    director()->runWithScene(Tutorial::create());
    wait(0.1f);
    for (int page = 1; page <= 5; ++page) {
        tap(SDL_CONTROLLER_BUTTON_A, 0.7f); // each page's entry, after its slide
    }
    ASSERT_TRUE(showing<Title>());

    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(showing<Setting>());
    tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_FLOAT_EQ(bgmVolume, 0.95f);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(showing<Gals>());
    tap(SDL_CONTROLLER_BUTTON_B);
    ASSERT_TRUE(showing<Setting>());
    tap(SDL_CONTROLLER_BUTTON_B);
    ASSERT_TRUE(showing<Title>());

    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(showing<Game>());
    wait(4.0f); // the play's opening
    for (int turn = 0; turn < 6; ++turn) {
        tap(turn % 2 ? SDL_CONTROLLER_BUTTON_DPAD_UP : SDL_CONTROLLER_BUTTON_DPAD_DOWN, 2.5f);
    }
    EXPECT_TRUE(logContains("score is")) << "the D-pad answered";
    tap(SDL_CONTROLLER_BUTTON_Y, 6.0f);
    wait(70.0f);
    ASSERT_TRUE(showing<Score>());

    tap(SDL_CONTROLLER_BUTTON_B);
    ASSERT_TRUE(showing<Title>());
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP); // wraps to the exit button, which A would press
    auto focus = director()->getRunningScene()->getChildByName<MenuFocus*>(MenuFocus::kName);
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->getFocusedIndex(), 2);
}

} // namespace
