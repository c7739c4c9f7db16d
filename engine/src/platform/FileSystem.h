#pragma once

// Small POSIX file helpers shared by FileUtils and UserDefault.

#include <string>

namespace cocos2d {
namespace fs {

bool isRegularFile(const std::string& path);
bool isDirectory(const std::string& path);
// Creates path and any missing parents; true when the directory exists afterwards.
bool createDirectories(const std::string& path);
// Appends '/' unless path already ends with one (or is empty).
std::string withTrailingSlash(const std::string& path);
// Folder holding the running executable, with a trailing slash ("" when unknown).
std::string executableDir();

} // namespace fs
} // namespace cocos2d
