// The per-user folder on Windows: SDL's preference path, %APPDATA%\<app>\, created on demand.
#include "platform/FileSystem.h"

#include <SDL.h>

namespace cocos2d {
namespace fs {

std::string userDataFolder(const char* app) {
    // An empty organisation puts the folder straight under %APPDATA%.
    char* pref = SDL_GetPrefPath("", app);
    if (pref == nullptr) {
        return "";
    }
    std::string folder = pref;
    SDL_free(pref);
    for (char& c : folder) {
        if (c == '\\') {
            c = '/';
        }
    }
    return withTrailingSlash(folder);
}

// A Windows session always has a desktop to show a message box on.
bool displayAvailable() {
    return true;
}

} // namespace fs
} // namespace cocos2d
