#include "platform/sdl/Gamepads.h"

#include <SDL.h>

#include <cstdlib>
#include <vector>

#include "base/CCConsole.h"
#include "base/CCEventKeyboard.h"
#include "platform/CCGLView.h"

NS_CC_BEGIN

namespace {
using Key = EventKeyboard::KeyCode;

int keyForButton(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return static_cast<int>(Key::KEY_UP_ARROW);
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return static_cast<int>(Key::KEY_DOWN_ARROW);
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return static_cast<int>(Key::KEY_LEFT_ARROW);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return static_cast<int>(Key::KEY_RIGHT_ARROW);
    case SDL_CONTROLLER_BUTTON_A:
        return static_cast<int>(Key::KEY_ENTER);
    case SDL_CONTROLLER_BUTTON_B:
        return static_cast<int>(Key::KEY_ESCAPE);
    case SDL_CONTROLLER_BUTTON_Y:
    case SDL_CONTROLLER_BUTTON_START:
        return static_cast<int>(Key::KEY_SPACE);
    default:
        return static_cast<int>(Key::KEY_NONE);
    }
}

// Stick directions are inputs numbered after the buttons: two per axis, negative then positive.
int stickInput(Uint8 axis, bool positive) {
    return SDL_CONTROLLER_BUTTON_MAX + axis * 2 + (positive ? 1 : 0);
}
} // namespace

Gamepads::~Gamepads() {
    for (auto& pad : _pads) {
        SDL_GameControllerClose(pad.second);
    }
}

bool Gamepads::start() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        log("Gamepads: no game controllers: %s", SDL_GetError());
        return false;
    }
    return true;
}

bool Gamepads::handleEvent(const SDL_Event& event, const KeySink& sink) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        open(event.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        close(event.cdevice.which, sink);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        onButton(event.cbutton, sink);
        return true;
    case SDL_CONTROLLERAXISMOTION:
        onAxis(event.caxis, sink);
        return true;
    default:
        return false;
    }
}

void Gamepads::open(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) {
        log("Gamepads: can't open controller %d: %s", deviceIndex, SDL_GetError());
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (_pads.count(id)) {
        SDL_GameControllerClose(controller); // announced twice (present at start and added)
        return;
    }
    _pads[id] = controller;
    const char* name = SDL_GameControllerName(controller);
    log("Gamepads: %s connected", name ? name : "a controller");
}

// A pad pulled out mid-press lets go of everything it held.
void Gamepads::close(SDL_JoystickID pad, const KeySink& sink) {
    std::vector<int> inputs;
    for (const auto& held : _holding) {
        if (held.first.first == pad) {
            inputs.push_back(held.first.second);
        }
    }
    for (int input : inputs) {
        hold(pad, input, static_cast<int>(Key::KEY_NONE), false, sink);
    }
    auto found = _pads.find(pad);
    if (found != _pads.end()) {
        SDL_GameControllerClose(found->second);
        _pads.erase(found);
        log("Gamepads: a controller was disconnected");
    }
}

void Gamepads::onButton(const SDL_ControllerButtonEvent& button, const KeySink& sink) {
    const int key = keyForButton(button.button);
    if (key != static_cast<int>(Key::KEY_NONE)) {
        hold(button.which, button.button, key, button.state == SDL_PRESSED, sink);
    }
}

void Gamepads::onAxis(const SDL_ControllerAxisEvent& axis, const KeySink& sink) {
    Key negative;
    Key positive;
    if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        negative = Key::KEY_LEFT_ARROW;
        positive = Key::KEY_RIGHT_ARROW;
    } else if (axis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        negative = Key::KEY_UP_ARROW; // SDL's y axis points down
        positive = Key::KEY_DOWN_ARROW;
    } else {
        return;
    }
    const int value = axis.value;
    const int magnitude = std::abs(value);
    const bool wasNegative = _holding.count({axis.which, stickInput(axis.axis, false)}) != 0;
    const bool wasPositive = _holding.count({axis.which, stickInput(axis.axis, true)}) != 0;
    const bool nowNegative = value < 0 && magnitude >= (wasNegative ? kStickRelease : kStickPress);
    const bool nowPositive = value > 0 && magnitude >= (wasPositive ? kStickRelease : kStickPress);
    if (wasNegative != nowNegative) {
        hold(axis.which, stickInput(axis.axis, false), static_cast<int>(negative), nowNegative, sink);
    }
    if (wasPositive != nowPositive) {
        hold(axis.which, stickInput(axis.axis, true), static_cast<int>(positive), nowPositive, sink);
    }
}

void Gamepads::hold(SDL_JoystickID pad, int input, int keyCode, bool down, const KeySink& sink) {
    const auto source = std::make_pair(pad, input);
    auto holding = _holding.find(source);
    if (down) {
        if (holding != _holding.end()) {
            return; // already down: no repeat
        }
        _holding[source] = keyCode;
        if (_holders[keyCode]++ == 0) {
            sink(keyCode, true);
        }
        return;
    }
    if (holding == _holding.end()) {
        return;
    }
    const int key = holding->second;
    _holding.erase(holding);
    if (--_holders[key] == 0) {
        _holders.erase(key);
        sink(key, false);
    }
}

bool GLView::handleGamepadEvent(const SDL_Event& event) {
    if (event.type < SDL_CONTROLLERAXISMOTION || event.type > SDL_CONTROLLERDEVICEREMOVED) {
        return false;
    }
    if (!_gamepads) {
        _gamepads = std::make_unique<Gamepads>();
    }
    return _gamepads->handleEvent(event,
                                  [this](int keyCode, bool pressed) { dispatchKey(keyCode, pressed); });
}

NS_CC_END
