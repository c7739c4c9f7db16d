#pragma once

#include <functional>
#include <map>
#include <utility>

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

// Game controllers through SDL's game-controller API (and its mapping database), played as the
// keyboard: the D-pad and the left stick are the arrow keys, South (A) is Enter, East (B) is
// Escape, North (Y) and Start are Space. Pads may come and go at any time. A key is pressed
// when its first holder goes down and released when its last one lets go, so a D-pad and a
// stick held the same way (or two pads) give one press, and nothing repeats while held.
class Gamepads {
public:
    using KeySink = std::function<void(int keyCode, bool pressed)>;

    // Beyond this share of full travel the stick presses its direction; it lets go again only
    // below kStickRelease, so a stick resting near the edge does not chatter.
    static constexpr int kStickPress = 16000;
    static constexpr int kStickRelease = 12000;

    Gamepads() = default;
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Starts SDL's game-controller subsystem; false (with a log line) where it can't.
    static bool start();

    // True when the event was a controller's; its key changes went to the sink.
    bool handleEvent(const SDL_Event& event, const KeySink& sink);
    size_t padCount() const { return _pads.size(); }

private:
    void open(int deviceIndex);
    void close(SDL_JoystickID pad, const KeySink& sink);
    void onButton(const SDL_ControllerButtonEvent& button, const KeySink& sink);
    void onAxis(const SDL_ControllerAxisEvent& axis, const KeySink& sink);
    // One input of one pad (a button, or one direction of a stick axis) holding a key or not.
    void hold(SDL_JoystickID pad, int input, int keyCode, bool down, const KeySink& sink);

    std::map<SDL_JoystickID, SDL_GameController*> _pads;
    std::map<std::pair<SDL_JoystickID, int>, int> _holding; // (pad, input) -> key it holds
    std::map<int, int> _holders;                            // key -> inputs holding it
};

NS_CC_END
