#include "platform/FileSystem.h"

namespace cocos2d {
namespace fs {

std::string withTrailingSlash(const std::string& path) {
    if (path.empty() || path.back() == '/' || path.back() == '\\') {
        return path;
    }
    return path + '/';
}

bool readFile(const std::string& path, std::string* out) {
    FILE* file = openFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::string bytes;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        bytes.append(buffer, got);
    }
    bool ok = std::ferror(file) == 0;
    std::fclose(file);
    if (ok) {
        *out = std::move(bytes);
    }
    return ok;
}

std::string tempPrefixFor(const std::string& path) {
    return path + ".tmp-";
}

} // namespace fs
} // namespace cocos2d
