#include "platform/sdl/KeyMap.h"

NS_CC_BEGIN

namespace {
using K = EventKeyboard::KeyCode;

K offset(K first, int by) {
    return static_cast<K>(static_cast<int>(first) + by);
}

struct Pair {
    SDL_Keycode sdl;
    K code;
};

const Pair kNamedKeys[] = {
    {SDLK_PAUSE, K::KEY_PAUSE},
    {SDLK_SCROLLLOCK, K::KEY_SCROLL_LOCK},
    {SDLK_PRINTSCREEN, K::KEY_PRINT},
    {SDLK_SYSREQ, K::KEY_SYSREQ},
    {SDLK_ESCAPE, K::KEY_ESCAPE},
    {SDLK_AC_BACK, K::KEY_BACK},
    {SDLK_BACKSPACE, K::KEY_BACKSPACE},
    {SDLK_TAB, K::KEY_TAB},
    {SDLK_RETURN, K::KEY_ENTER},
    {SDLK_RETURN2, K::KEY_ENTER},
    {SDLK_CAPSLOCK, K::KEY_CAPS_LOCK},
    {SDLK_LSHIFT, K::KEY_LEFT_SHIFT},
    {SDLK_RSHIFT, K::KEY_RIGHT_SHIFT},
    {SDLK_LCTRL, K::KEY_LEFT_CTRL},
    {SDLK_RCTRL, K::KEY_RIGHT_CTRL},
    {SDLK_LALT, K::KEY_LEFT_ALT},
    {SDLK_RALT, K::KEY_RIGHT_ALT},
    {SDLK_MENU, K::KEY_MENU},
    {SDLK_APPLICATION, K::KEY_MENU},
    {SDLK_INSERT, K::KEY_INSERT},
    {SDLK_HOME, K::KEY_HOME},
    {SDLK_PAGEUP, K::KEY_PG_UP},
    {SDLK_DELETE, K::KEY_DELETE},
    {SDLK_END, K::KEY_END},
    {SDLK_PAGEDOWN, K::KEY_PG_DOWN},
    {SDLK_LEFT, K::KEY_LEFT_ARROW},
    {SDLK_RIGHT, K::KEY_RIGHT_ARROW},
    {SDLK_UP, K::KEY_UP_ARROW},
    {SDLK_DOWN, K::KEY_DOWN_ARROW},
    {SDLK_NUMLOCKCLEAR, K::KEY_NUM_LOCK},
    {SDLK_KP_PLUS, K::KEY_KP_PLUS},
    {SDLK_KP_MINUS, K::KEY_KP_MINUS},
    {SDLK_KP_MULTIPLY, K::KEY_KP_MULTIPLY},
    {SDLK_KP_DIVIDE, K::KEY_KP_DIVIDE},
    {SDLK_KP_ENTER, K::KEY_KP_ENTER},
    {SDLK_KP_7, K::KEY_KP_HOME},
    {SDLK_KP_8, K::KEY_KP_UP},
    {SDLK_KP_9, K::KEY_KP_PG_UP},
    {SDLK_KP_4, K::KEY_KP_LEFT},
    {SDLK_KP_5, K::KEY_KP_FIVE},
    {SDLK_KP_6, K::KEY_KP_RIGHT},
    {SDLK_KP_1, K::KEY_KP_END},
    {SDLK_KP_2, K::KEY_KP_DOWN},
    {SDLK_KP_3, K::KEY_KP_PG_DOWN},
    {SDLK_KP_0, K::KEY_KP_INSERT},
    {SDLK_KP_PERIOD, K::KEY_KP_DELETE},
    {SDLK_SPACE, K::KEY_SPACE},
    {SDLK_QUOTE, K::KEY_APOSTROPHE},
    {SDLK_COMMA, K::KEY_COMMA},
    {SDLK_MINUS, K::KEY_MINUS},
    {SDLK_PERIOD, K::KEY_PERIOD},
    {SDLK_SLASH, K::KEY_SLASH},
    {SDLK_SEMICOLON, K::KEY_SEMICOLON},
    {SDLK_EQUALS, K::KEY_EQUAL},
    {SDLK_LEFTBRACKET, K::KEY_LEFT_BRACKET},
    {SDLK_BACKSLASH, K::KEY_BACK_SLASH},
    {SDLK_RIGHTBRACKET, K::KEY_RIGHT_BRACKET},
    {SDLK_BACKQUOTE, K::KEY_GRAVE},
    {SDLK_AC_SEARCH, K::KEY_SEARCH},
};
} // namespace

EventKeyboard::KeyCode keyCodeFromSDL(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return offset(K::KEY_A, key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return offset(K::KEY_0, key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return offset(K::KEY_F1, key - SDLK_F1);
    }
    for (const Pair& pair : kNamedKeys) {
        if (pair.sdl == key) {
            return pair.code;
        }
    }
    return K::KEY_NONE;
}

NS_CC_END
