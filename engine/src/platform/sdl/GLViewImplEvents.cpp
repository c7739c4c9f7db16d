// The window's input: SDL events become the framework's keyboard and touch events, dispatched
// synchronously inside pollEvents().
#include <SDL.h>

#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "base/CCEventMouse.h"
#include "base/CCEventTouch.h"
#include "platform/CCApplication.h"
#include "platform/CCGLViewImpl.h"
#include "platform/sdl/KeyMap.h"

NS_CC_BEGIN

namespace {
int mouseButtonFromSDL(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return static_cast<int>(EventMouse::MouseButton::BUTTON_LEFT);
    case SDL_BUTTON_RIGHT:
        return static_cast<int>(EventMouse::MouseButton::BUTTON_RIGHT);
    case SDL_BUTTON_MIDDLE:
        return static_cast<int>(EventMouse::MouseButton::BUTTON_MIDDLE);
    default:
        return static_cast<int>(EventMouse::MouseButton::BUTTON_UNSET);
    }
}
} // namespace

void GLViewImpl::pollEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        handleEvent(event);
    }
    GLView::pollEvents(); // injected input, after the OS's
}

bool GLViewImpl::waitForEvents(float seconds) {
    const int milliseconds = seconds > 0 ? static_cast<int>(seconds * 1000.0f) : 0;
    return SDL_WaitEventTimeout(nullptr, milliseconds) == 1;
}

bool GLViewImpl::takeRedrawRequest() {
    const bool exposed = _exposed;
    _exposed = false;
    return exposed;
}

void GLViewImpl::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        _shouldClose = true;
        break;
    case SDL_WINDOWEVENT:
        handleWindowEvent(event);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        handleKey(event);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
        handleMouse(event);
        break;
    default:
        handleGamepadEvent(event);
        break;
    }
}

void GLViewImpl::handleWindowEvent(const SDL_Event& event) {
    if (event.window.windowID != SDL_GetWindowID(_window)) {
        return;
    }
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        _shouldClose = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
        setFocused(false);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED:
        setFocused(true);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
        _exposed = true;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        Director::getInstance()->getEventDispatcher()->dispatchCustomEvent(EVENT_WINDOW_RESIZED);
        break;
    default:
        break;
    }
}

// The game hears about each transition once: minimising usually also loses focus, and regaining
// focus after a restore must not resume twice.
void GLViewImpl::setFocused(bool focused) {
    if (focused == _focused) {
        return;
    }
    _focused = focused;
    if (!focused && _mouseDown) {
        _mouseDown = false;
        dispatchTouch(static_cast<int>(EventTouch::EventCode::CANCELLED), _lastMouse);
    }
    EventDispatcher* dispatcher = Director::getInstance()->getEventDispatcher();
    dispatcher->dispatchCustomEvent(focused ? EVENT_WINDOW_FOCUSED : EVENT_WINDOW_UNFOCUSED);
    if (Application* app = Application::getInstance()) {
        if (focused) {
            app->applicationWillEnterForeground();
        } else {
            app->applicationDidEnterBackground();
        }
    }
}

void GLViewImpl::handleKey(const SDL_Event& event) {
    if (event.key.repeat) {
        return; // only presses and releases reach the game
    }
    bool pressed = event.type == SDL_KEYDOWN;
    SDL_Keycode sym = event.key.keysym.sym;
    bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
    bool isEnter = sym == SDLK_RETURN || sym == SDLK_KP_ENTER;
    // F11 and Alt+Enter belong to the window; the game sees neither their press nor release.
    if (pressed && (sym == SDLK_F11 || (isEnter && alt))) {
        _swallowedKey = sym;
        toggleFullscreen();
        return;
    }
    if (!pressed && sym == _swallowedKey) {
        _swallowedKey = SDLK_UNKNOWN;
        return;
    }
    EventKeyboard::KeyCode code = keyCodeFromSDL(sym);
    if (code != EventKeyboard::KeyCode::KEY_NONE) {
        dispatchKey(static_cast<int>(code), pressed);
    }
}

void GLViewImpl::handleMouse(const SDL_Event& event) {
    if (event.type == SDL_MOUSEMOTION) {
        const Vec2 point =
            frameToDesign(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
        dispatchMouse(static_cast<int>(EventMouse::MouseEventType::MOUSE_MOVE), point);
        if (_mouseDown) {
            _lastMouse = point;
            dispatchTouch(static_cast<int>(EventTouch::EventCode::MOVED), _lastMouse);
        }
        return;
    }
    float x = static_cast<float>(event.button.x);
    float y = static_cast<float>(event.button.y);
    const auto type = event.type == SDL_MOUSEBUTTONDOWN ? EventMouse::MouseEventType::MOUSE_DOWN
                                                        : EventMouse::MouseEventType::MOUSE_UP;
    dispatchMouse(static_cast<int>(type), frameToDesign(x, y), mouseButtonFromSDL(event.button.button));
    if (event.button.button != SDL_BUTTON_LEFT) {
        return;
    }
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        if (!_mouseDown && isInsideViewport(x, y)) {
            _mouseDown = true;
            _lastMouse = frameToDesign(x, y);
            dispatchTouch(static_cast<int>(EventTouch::EventCode::BEGAN), _lastMouse);
        }
    } else if (_mouseDown) {
        _mouseDown = false;
        _lastMouse = frameToDesign(x, y);
        dispatchTouch(static_cast<int>(EventTouch::EventCode::ENDED), _lastMouse);
    }
}

NS_CC_END
