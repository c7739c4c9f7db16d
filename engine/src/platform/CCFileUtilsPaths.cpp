// Where FileUtils looks: the resource root beside the executable and the per-user writable folder,
// both overridable through cocos2d::ext for tests and tools.
#include "base/CCConsole.h"
#include "ext/Paths.h"
#include "platform/CCFileUtils.h"
#include "platform/FileSystem.h"

NS_CC_BEGIN

namespace {

const char* const kAppFolder = "Solvane";

// Overrides survive FileUtils::destroyInstance so a test's choice holds for the whole test.
std::string s_resourceRootOverride;
std::string s_writablePathOverride;

std::string defaultResourceRoot() {
    return fs::executableDir() + "Resources/";
}

} // namespace

FileUtils::FileUtils() {
    _searchResolutionsOrderArray.push_back("");
    _defaultResRootPath = fs::withTrailingSlash(s_resourceRootOverride.empty() ? defaultResourceRoot()
                                                                               : s_resourceRootOverride);
    _searchPathArray.push_back(_defaultResRootPath);
    _writablePath = s_writablePathOverride;
}

void FileUtils::setWritablePath(const std::string& writablePath) {
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _writablePath = writablePath;
}

std::string FileUtils::getWritablePath() const {
    std::string path;
    {
        std::lock_guard<std::recursive_mutex> lock(_mutex);
        path = _writablePath;
    }
    path = fs::withTrailingSlash(path.empty() ? ext::defaultWritablePath() : path);
    if (!fs::createDirectories(path.substr(0, path.size() - 1))) {
        log("FileUtils: cannot create the writable folder %s", path.c_str());
    }
    return path;
}

namespace ext {

std::string defaultWritablePath() {
    std::string folder = fs::userDataFolder(kAppFolder);
    if (folder.empty()) {
        log("FileUtils: no per-user folder can be found; using the current folder");
        return std::string("./") + kAppFolder + "/";
    }
    return folder;
}

void setResourceRoot(const std::string& dir) {
    s_resourceRootOverride = dir;
    FileUtils* fileUtils = FileUtils::getInstance();
    fileUtils->setDefaultResourceRootPath(dir.empty() ? defaultResourceRoot() : dir);
    fileUtils->setSearchPaths({});
}

void setWritablePath(const std::string& dir) {
    s_writablePathOverride = dir;
    FileUtils::getInstance()->setWritablePath(dir);
}

} // namespace ext

NS_CC_END
