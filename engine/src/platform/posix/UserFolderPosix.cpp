// The per-user folder on Linux: where SDL_GetPrefPath puts it, except that an empty (or relative,
// hence invalid) XDG_DATA_HOME counts as unset, and a missing HOME falls back to the password file.
#include "platform/FileSystem.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace cocos2d {
namespace fs {

namespace {

std::string homeDir() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    if (const passwd* pw = ::getpwuid(::getuid())) {
        return pw->pw_dir;
    }
    return "";
}

} // namespace

std::string userDataFolder(const char* app) {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (dataHome != nullptr && dataHome[0] == '/') {
        base = dataHome;
    } else {
        std::string home = homeDir();
        if (home.empty()) {
            return "";
        }
        base = home + "/.local/share";
    }
    return withTrailingSlash(base) + app + "/";
}

bool displayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace fs
} // namespace cocos2d
