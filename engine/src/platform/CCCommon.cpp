#include "platform/CCCommon.h"

#include <SDL.h>

#include "ext/Headless.h"
#include "platform/FileSystem.h"

NS_CC_BEGIN

void MessageBox(const char* msg, const char* title) {
    if (ext::isHeadless() || !fs::displayAvailable()) {
        return;
    }
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, msg, nullptr);
}

NS_CC_END
