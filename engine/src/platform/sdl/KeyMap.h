#pragma once

#include <SDL_keycode.h>

#include "base/CCEventKeyboard.h"

NS_CC_BEGIN

// SDL key to the framework's key code; KEY_NONE for keys the framework has no name for.
// Letters map to the lower-case KEY_A..KEY_Z; the main Enter is KEY_ENTER, keypad Enter KEY_KP_ENTER.
EventKeyboard::KeyCode keyCodeFromSDL(SDL_Keycode key);

NS_CC_END
