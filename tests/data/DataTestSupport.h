#pragma once
// Shared helpers for the data tests: pointing FileUtils at a fixture root, capturing log
// lines, and building throw-away resource roots from fixture files.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ext/Log.h"
#include "ext/Paths.h"

namespace datatest {

inline int gScratchCount = 0;

inline std::string fixture(const std::string& relative) {
    return std::string(SOLVANE_FIXTURES_DIR) + "/data/" + relative;
}

// Points the resource root at a fixture folder for the lifetime of the object.
class ResourceRoot {
public:
    explicit ResourceRoot(const std::string& dir) { cocos2d::ext::setResourceRoot(dir); }
    ~ResourceRoot() { cocos2d::ext::setResourceRoot(""); }
};

// Collects every log line written while it lives.
class LogCapture {
public:
    LogCapture() {
        cocos2d::ext::setLogSink([this](const std::string& line) { lines.push_back(line); });
    }
    ~LogCapture() { cocos2d::ext::setLogSink(nullptr); }
    std::vector<std::string> lines;
};

// A private copy of a fixture root under the temp folder, removed afterwards, so a test can
// break one file of an otherwise valid set.
class ScratchRoot {
public:
    explicit ScratchRoot(const std::string& fixtureRoot) {
        namespace fs = std::filesystem;
        _dir = fs::temp_directory_path() /
               ("solvane-data-" + std::to_string(::getpid()) + "-" + std::to_string(++gScratchCount));
        fs::remove_all(_dir);
        // Without a trailing slash: Windows' stat() does not find "folder/".
        std::string source = fixtureRoot;
        while (source.size() > 1 && (source.back() == '/' || source.back() == '\\')) {
            source.pop_back();
        }
        fs::copy(source, _dir, fs::copy_options::recursive);
    }
    ~ScratchRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(_dir, ignored);
    }
    std::string path() const { return _dir.string() + "/"; }
    std::string file(const std::string& relative) const { return path() + relative; }
    // Replaces a file of the root with another file's bytes.
    void replace(const std::string& relative, const std::string& sourceFile) const {
        std::filesystem::copy_file(sourceFile, file(relative),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    // Puts an empty directory where the file was.
    void makeDirectory(const std::string& relative) const {
        std::filesystem::remove(file(relative));
        std::filesystem::create_directory(file(relative));
    }

private:
    std::filesystem::path _dir;
};

} // namespace datatest
