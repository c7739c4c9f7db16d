#include "platform/CCFileUtils.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/CCConsole.h"
#include "platform/FileSystem.h"

NS_CC_BEGIN

const Data Data::Null;

void Data::copy(const unsigned char* bytes, ssize_t size) {
    if (bytes == nullptr || size <= 0) {
        _bytes.clear();
        return;
    }
    _bytes.assign(bytes, bytes + size);
}

namespace {

FileUtils* s_fileUtils = nullptr;

bool writeWholeFile(const std::string& path, const void* bytes, size_t size) {
    FILE* file = fs::openFile(path, "wb");
    if (file == nullptr) {
        log("FileUtils: cannot open %s for writing: %s", path.c_str(), std::strerror(errno));
        return false;
    }
    bool ok = size == 0 || std::fwrite(bytes, 1, size, file) == size;
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        log("FileUtils: writing %s failed", path.c_str());
    }
    return ok;
}

} // namespace

FileUtils* FileUtils::getInstance() {
    if (s_fileUtils == nullptr) {
        s_fileUtils = new FileUtils();
    }
    return s_fileUtils;
}

void FileUtils::destroyInstance() {
    delete s_fileUtils;
    s_fileUtils = nullptr;
}

FileUtils::~FileUtils() = default;

void FileUtils::purgeCachedEntries() {
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _fullPathCache.clear();
}

bool FileUtils::isAbsolutePath(const std::string& path) const {
    return fs::isAbsolute(path);
}

std::string FileUtils::toSearchPath(const std::string& path) const {
    std::string full = isAbsolutePath(path) ? path : _defaultResRootPath + path;
    return fs::withTrailingSlash(full);
}

void FileUtils::setDefaultResourceRootPath(const std::string& path) {
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _defaultResRootPath = fs::withTrailingSlash(path);
    setSearchPaths(_originalSearchPaths);
}

void FileUtils::setSearchPaths(const std::vector<std::string>& searchPaths) {
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _originalSearchPaths = searchPaths;
    _fullPathCache.clear();
    _searchPathArray.clear();
    bool hasDefaultRoot = false;
    for (const auto& path : searchPaths) {
        std::string full = toSearchPath(path);
        hasDefaultRoot = hasDefaultRoot || full == _defaultResRootPath;
        _searchPathArray.push_back(full);
    }
    // The resource root always stays as the last resort.
    if (!hasDefaultRoot) {
        _searchPathArray.push_back(_defaultResRootPath);
    }
}

void FileUtils::addSearchPath(const std::string& path, bool front) {
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    std::string full = toSearchPath(path);
    for (const auto& existing : _searchPathArray) {
        if (existing == full) {
            return;
        }
    }
    _fullPathCache.clear();
    if (front) {
        _originalSearchPaths.insert(_originalSearchPaths.begin(), path);
        _searchPathArray.insert(_searchPathArray.begin(), full);
    } else {
        _originalSearchPaths.push_back(path);
        _searchPathArray.push_back(full);
    }
}

void FileUtils::setSearchResolutionsOrder(const std::vector<std::string>& searchResolutionsOrder) {
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _fullPathCache.clear();
    _searchResolutionsOrderArray.clear();
    bool hasEmpty = false;
    for (const auto& order : searchResolutionsOrder) {
        hasEmpty = hasEmpty || order.empty();
        _searchResolutionsOrderArray.push_back(fs::withTrailingSlash(order));
    }
    if (!hasEmpty) {
        _searchResolutionsOrderArray.push_back("");
    }
}

void FileUtils::addSearchResolutionsOrder(const std::string& order, bool front) {
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    _fullPathCache.clear();
    std::string entry = fs::withTrailingSlash(order);
    if (front) {
        _searchResolutionsOrderArray.insert(_searchResolutionsOrderArray.begin(), entry);
    } else {
        _searchResolutionsOrderArray.push_back(entry);
    }
}

std::string FileUtils::resolve(const std::string& filename) const {
    if (filename.empty()) {
        return "";
    }
    if (isAbsolutePath(filename)) {
        return filename;
    }
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    auto cached = _fullPathCache.find(filename);
    if (cached != _fullPathCache.end()) {
        return cached->second;
    }
    for (const auto& searchPath : _searchPathArray) {
        for (const auto& resolution : _searchResolutionsOrderArray) {
            std::string candidate = searchPath + resolution + filename;
            if (fs::isRegularFile(candidate)) {
                _fullPathCache.emplace(filename, candidate);
                return candidate;
            }
        }
    }
    return "";
}

std::string FileUtils::fullPathForFilename(const std::string& filename) const {
    std::string full = resolve(filename);
    if (full.empty() && !filename.empty()) {
        log("cocos2d: fullPathForFilename: No file found at %s. Possible missing file.", filename.c_str());
    }
    return full;
}

std::string FileUtils::fullPathFromRelativeFile(const std::string& filename,
                                                const std::string& relativeFile) const {
    if (isAbsolutePath(filename)) {
        return filename;
    }
    return relativeFile.substr(0, relativeFile.rfind('/') + 1) + filename;
}

bool FileUtils::isFileExist(const std::string& filename) const {
    if (isAbsolutePath(filename)) {
        return fs::isRegularFile(filename);
    }
    // A plain existence check is not an error, so it does not log a missing file.
    return !resolve(filename).empty();
}

bool FileUtils::isDirectoryExist(const std::string& dirPath) const {
    if (isAbsolutePath(dirPath)) {
        return fs::isDirectory(dirPath);
    }
    std::lock_guard<std::recursive_mutex> lock(_mutex);
    for (const auto& searchPath : _searchPathArray) {
        if (fs::isDirectory(searchPath + dirPath)) {
            return true;
        }
    }
    return false;
}

long FileUtils::getFileSize(const std::string& filepath) const {
    std::string full = isAbsolutePath(filepath) ? filepath : resolve(filepath);
    return full.empty() ? -1 : fs::fileSize(full);
}

std::string FileUtils::getFileExtension(const std::string& filePath) const {
    size_t slash = filePath.rfind('/');
    size_t dot = filePath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return "";
    }
    std::string ext = filePath.substr(dot);
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext;
}

std::string FileUtils::getStringFromFile(const std::string& filename) const {
    std::string full = fullPathForFilename(filename);
    std::string contents;
    if (full.empty()) {
        return "";
    }
    if (!fs::isRegularFile(full) || !fs::readFile(full, &contents)) {
        log("FileUtils: cannot read %s", full.c_str());
        return "";
    }
    return contents;
}

Data FileUtils::getDataFromFile(const std::string& filename) const {
    std::string contents = getStringFromFile(filename);
    Data data;
    data.copy(reinterpret_cast<const unsigned char*>(contents.data()), static_cast<ssize_t>(contents.size()));
    return data;
}

bool FileUtils::writeStringToFile(const std::string& dataStr, const std::string& fullPath) const {
    return writeWholeFile(fullPath, dataStr.data(), dataStr.size());
}

bool FileUtils::writeDataToFile(const Data& data, const std::string& fullPath) const {
    return writeWholeFile(fullPath, data.getBytes(), static_cast<size_t>(data.getSize()));
}

bool FileUtils::createDirectory(const std::string& dirPath) const {
    return fs::createDirectories(dirPath);
}

bool FileUtils::removeFile(const std::string& filepath) const {
    return fs::removeFile(filepath);
}

NS_CC_END
