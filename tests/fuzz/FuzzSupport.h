#pragma once
// Shared plumbing for the fuzz targets: a private resource root that each input is written
// into, silenced log output, and the rule every target enforces: an input either loads or
// ends in one of the errors the loaders promise (the JSON library's, std::runtime_error for
// bad content, std::out_of_range for numbers that do not fit). Anything else escapes and
// libFuzzer reports it.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <streambuf>
#include <string>

#include <nlohmann/json.hpp>

#include "cocos2d.h"
#include "ext/Headless.h"
#include "ext/Log.h"
#include "ext/Paths.h"

namespace fuzzsupport {

// A folder of this process, on a memory file system when there is one: targets write and
// rename files on every input.
inline std::string scratchRoot() {
    static const std::string root = [] {
        namespace fs = std::filesystem;
        fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path dir = base / ("solvane-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        return dir.string() + "/";
    }();
    return root;
}

// Drops everything written to it.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Loaders log every filter they build and every problem they report; at thousands of inputs a
// second that output is only noise.
inline void silenceLogs() {
    static NullBuffer sink;
    cocos2d::ext::setLogSink([](const std::string&) {});
    std::cout.rdbuf(&sink);
    std::cerr.rdbuf(&sink);
}

// A headless engine for targets that build scenes: silent audio, the store in the scratch
// folder, a 1280x720 frame; what it made is released before the leak check at exit.
inline void startHeadlessEngine() {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    cocos2d::ext::setWritablePath(scratchRoot() + "store/");
    cocos2d::ext::startHeadless(1280, 720);
    std::atexit([] { cocos2d::ext::resetAll(); });
    cocos2d::Director::getInstance()->getOpenGLView()->setDesignResolutionSize(1280, 720,
                                                                               ResolutionPolicy::NO_BORDER);
}

inline void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Points FileUtils at the scratch root (once) and puts the input at the resource-relative path.
inline void writeResource(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    static const bool rooted = [] {
        cocos2d::ext::setResourceRoot(scratchRoot());
        return true;
    }();
    (void)rooted;
    writeFile(scratchRoot() + relative, data, size);
}

// Runs a load; true when it produced a result, false for a promised error.
template <class Load> bool loadsOrFailsCleanly(Load&& load) {
    try {
        load();
        return true;
    } catch (const nlohmann::json::exception&) {
    } catch (const std::out_of_range&) {
    } catch (const std::runtime_error&) {
    }
    return false;
}

// An invariant of a loaded result does not hold: stop so libFuzzer keeps the input.
[[noreturn]] inline void fail(const std::string& what) {
    std::fputs(("invariant broken: " + what + "\n").c_str(), stderr);
    std::abort();
}

} // namespace fuzzsupport
