// Game controllers played as the keyboard, through SDL's virtual joystick on the headless
// backend: attach, press, move the stick, detach.

#include <SDL.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EngineFixture.h"

USING_NS_CC;
using Key = EventKeyboard::KeyCode;

namespace {

class GamepadInputTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
            GTEST_SKIP() << "no game-controller subsystem: " << SDL_GetError();
        }
        auto keys = EventListenerKeyboard::create();
        keys->onKeyPressed = [this](Key key, Event*) { seen.push_back("down " + std::to_string(int(key))); };
        keys->onKeyReleased = [this](Key key, Event*) { seen.push_back("up " + std::to_string(int(key))); };
        director()->getEventDispatcher()->addEventListenerWithFixedPriority(keys, 1);
        attach();
    }

    void TearDown() override {
        detach();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        EngineFixture::TearDown();
    }

    void attach() {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                    SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        pad = SDL_JoystickOpen(index);
        ASSERT_NE(pad, nullptr) << SDL_GetError();
        frame();
    }

    void detach() {
        if (!pad) {
            return;
        }
        const int index = deviceIndex();
        SDL_JoystickClose(pad);
        pad = nullptr;
        SDL_JoystickDetachVirtual(index);
        frame();
    }

    int deviceIndex() const {
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad)) {
                return i;
            }
        }
        return -1;
    }

    void button(SDL_GameControllerButton which, bool down) {
        SDL_JoystickSetVirtualButton(pad, which, down ? SDL_PRESSED : SDL_RELEASED);
        frame();
    }
    void axis(SDL_GameControllerAxis which, Sint16 value) {
        SDL_JoystickSetVirtualAxis(pad, which, value);
        frame();
    }
    void frame() { step(1.0f / 60); }

    static std::string down(Key key) { return "down " + std::to_string(int(key)); }
    static std::string up(Key key) { return "up " + std::to_string(int(key)); }

    SDL_Joystick* pad = nullptr;
    std::vector<std::string> seen;
};

TEST_F(GamepadInputTest, FaceButtonsAndDPadAreTheKeysTheMenusAndThePlayRead) {
    EXPECT_TRUE(logContains("connected")) << "a pad plugged in mid-game is opened at once";
    const std::pair<SDL_GameControllerButton, Key> mapping[] = {
        {SDL_CONTROLLER_BUTTON_A, Key::KEY_ENTER},
        {SDL_CONTROLLER_BUTTON_B, Key::KEY_ESCAPE},
        {SDL_CONTROLLER_BUTTON_Y, Key::KEY_SPACE},
        {SDL_CONTROLLER_BUTTON_START, Key::KEY_SPACE},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, Key::KEY_UP_ARROW},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Key::KEY_DOWN_ARROW},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::KEY_LEFT_ARROW},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Key::KEY_RIGHT_ARROW}};
    for (const auto& [which, key] : mapping) {
        seen.clear();
        button(which, true);
        frame(); // held: nothing repeats
        button(which, false);
        EXPECT_EQ(seen, std::vector<std::string>({down(key), up(key)})) << "button " << which;
    }
    seen.clear();
    button(SDL_CONTROLLER_BUTTON_X, true);
    button(SDL_CONTROLLER_BUTTON_X, false);
    EXPECT_TRUE(seen.empty()) << "West has no key";
}

TEST_F(GamepadInputTest, TheStickPressesPastItsDeadZoneAndLetsGoWithHysteresis) {
    axis(SDL_CONTROLLER_AXIS_LEFTX, 9000); // inside the dead zone
    EXPECT_TRUE(seen.empty());
    axis(SDL_CONTROLLER_AXIS_LEFTX, 20000);
    axis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
    axis(SDL_CONTROLLER_AXIS_LEFTX, 14000); // between the two thresholds: still held
    EXPECT_EQ(seen, std::vector<std::string>({down(Key::KEY_RIGHT_ARROW)}));
    axis(SDL_CONTROLLER_AXIS_LEFTX, 10000);
    EXPECT_EQ(seen.back(), up(Key::KEY_RIGHT_ARROW));

    seen.clear();
    axis(SDL_CONTROLLER_AXIS_LEFTY, -32768); // SDL's y points down: pushed away is up
    axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);  // flipped in one move
    axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(seen, std::vector<std::string>({down(Key::KEY_UP_ARROW), up(Key::KEY_UP_ARROW),
                                              down(Key::KEY_DOWN_ARROW), up(Key::KEY_DOWN_ARROW)}));
}

TEST_F(GamepadInputTest, StickAndDPadTogetherGiveOnePressAndADetachedPadLetsGo) {
    button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    EXPECT_EQ(seen, std::vector<std::string>({down(Key::KEY_DOWN_ARROW)})) << "the stick still holds it";
    button(SDL_CONTROLLER_BUTTON_A, true);
    detach(); // pulled out with the stick down and A held: both let go, in either order
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(seen.begin(), seen.begin() + 2),
              std::vector<std::string>({down(Key::KEY_DOWN_ARROW), down(Key::KEY_ENTER)}));
    std::vector<std::string> released(seen.begin() + 2, seen.end());
    std::sort(released.begin(), released.end());
    EXPECT_EQ(released, std::vector<std::string>({up(Key::KEY_ENTER), up(Key::KEY_DOWN_ARROW)}));
    EXPECT_TRUE(logContains("disconnected"));

    seen.clear();
    attach(); // plugged in again: works at once
    button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(seen, std::vector<std::string>({down(Key::KEY_ESCAPE)}));
}

} // namespace
