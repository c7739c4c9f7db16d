#include "platform/FileSystem.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

#include <SDL.h>

namespace cocos2d {
namespace fs {

bool isRegularFile(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool createDirectories(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (isDirectory(path)) {
        return true;
    }
    // Walk the path once, creating each missing component.
    for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1)) {
        std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        return false;
    }
    return isDirectory(path);
}

std::string withTrailingSlash(const std::string& path) {
    if (path.empty() || path.back() == '/') {
        return path;
    }
    return path + '/';
}

std::string executableDir() {
    char buffer[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length > 0) {
        std::string exe(buffer, static_cast<size_t>(length));
        return exe.substr(0, exe.rfind('/') + 1);
    }
    std::string dir;
    if (char* base = SDL_GetBasePath()) {
        dir = base;
        SDL_free(base);
    }
    return withTrailingSlash(dir);
}

} // namespace fs
} // namespace cocos2d
