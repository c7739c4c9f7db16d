#pragma once

#include <string>

namespace cocos2d {
namespace ext {

// Folder FileUtils resolves relative names against (replaces the search paths). Empty restores the
// default, the Resources/ folder beside the executable.
void setResourceRoot(const std::string& dir);

// Folder returned by FileUtils::getWritablePath (created if needed; a trailing slash is added).
// Empty restores the default per-user folder.
void setWritablePath(const std::string& dir);

// The default per-user folder: $XDG_DATA_HOME/Solvane/, or ~/.local/share/Solvane/ when XDG_DATA_HOME
// is unset or empty. Not created by this call.
std::string defaultWritablePath();

} // namespace ext
} // namespace cocos2d
