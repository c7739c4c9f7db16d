#include "platform/CCCommon.h"

#include <SDL.h>

#include <cstdlib>

#include "ext/Headless.h"

NS_CC_BEGIN

namespace {
bool displayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}
} // namespace

void MessageBox(const char* msg, const char* title) {
    if (ext::isHeadless() || !displayAvailable()) {
        return;
    }
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, msg, nullptr);
}

NS_CC_END
