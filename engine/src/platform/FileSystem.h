#pragma once

// Small file helpers shared by FileUtils and UserDefault. Every path is UTF-8; each platform
// converts at its own edge (posix/ and win32/ hold one implementation each).

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace cocos2d {
namespace fs {

bool isRegularFile(const std::string& path);
bool isDirectory(const std::string& path);
// Size in bytes of a regular file; -1 for anything else.
long fileSize(const std::string& path);
// Creates path and any missing parents; true when the directory exists afterwards.
bool createDirectories(const std::string& path);
// Appends '/' unless path already ends with one (or is empty).
std::string withTrailingSlash(const std::string& path);
// Folder holding the running executable, with a trailing slash ("" when unknown).
std::string executableDir();

// "/x" on POSIX; "C:/x", "C:\\x", "\\\\server\\x" and "/x" on Windows.
bool isAbsolute(const std::string& path);
// fopen for a UTF-8 path.
FILE* openFile(const std::string& path, const char* mode);
// The whole file into *out (left alone on failure).
bool readFile(const std::string& path, std::string* out);
bool removeFile(const std::string& path);
// Renames from to to; to must not exist (use replaceFileAtomically to replace a file).
bool renameFile(const std::string& from, const std::string& to);
// Names of the entries in folder (no "." or ".."); empty when it cannot be read.
std::vector<std::string> listFolder(const std::string& folder);
// Local broken-down time of t.
std::tm localTime(std::time_t t);
// Message of the last failed call in this file, as strerror would give it.
std::string lastError();

// Writes bytes to a temp file in path's folder named path + ".tmp-" + something unique, flushes
// it to the disk and moves it over path in one step, so path always holds the old or the new
// complete contents. On failure the temp file is gone and *error says why.
bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string* error);
// The prefix replaceFileAtomically gives its temp files for path.
std::string tempPrefixFor(const std::string& path);

// The per-user writable folder for app, with a trailing slash ("" when none can be found).
std::string userDataFolder(const char* app);

// Whether a message box can be shown at all (a display exists).
bool displayAvailable();

} // namespace fs
} // namespace cocos2d
