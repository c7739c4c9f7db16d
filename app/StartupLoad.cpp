#include "app/StartupLoad.h"

#include <cstdlib>
#include <exception>
#include <iostream>

#include "cocos2d.h"
#include "data/ContentValidation.h"
#include "data/GameData.h"
#include "platform/CCCommon.h"

namespace {
[[noreturn]] void reportAndExit(const std::string& text, bool messageBox) {
    std::cerr << text << std::endl;
    if (messageBox) {
        cocos2d::MessageBox(text.c_str(), "Solvane");
    }
    std::exit(1);
}
} // namespace

void failStartup(const std::string& what, const std::string& message) {
    reportAndExit(startupFailureText(what, message), true);
}

// No message box here: the display that would show it is the one that failed.
void failNoWindow() {
    using Platform = cocos2d::ApplicationProtocol::Platform;
    auto app = cocos2d::Application::getInstance();
    if (app && app->getTargetPlatform() == Platform::OS_WINDOWS) {
        failStartup("window", "the game window could not be created");
    }
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x11 = std::getenv("DISPLAY");
    const char* display = wayland && *wayland ? wayland : (x11 && *x11 ? x11 : nullptr);
    if (!display) {
        reportAndExit(startupFailureText("display",
                                         "none is set (DISPLAY and WAYLAND_DISPLAY are empty), so the "
                                         "game window cannot open"),
                      false);
    }
    reportAndExit(startupFailureText(std::string("display \"") + display + "\"",
                                     "the game window could not be opened on it"),
                  false);
}

std::string startupFailureText(const std::string& file, const std::string& message) {
    return "Solvane: cannot start: " + file + ": " + message;
}

void loadGameDataOrExit() {
    try {
        GameData::loadAll();
    } catch (const std::exception& e) {
        failStartup(GameData::fileBeingLoaded(), e.what());
    }
    try {
        requireValidContent();
    } catch (const ContentError& e) {
        // what() already starts with the file; report the message alone after it.
        const std::string what = e.what();
        const std::string prefix = e.file() + ": ";
        failStartup(e.file(), what.rfind(prefix, 0) == 0 ? what.substr(prefix.size()) : what);
    }
}
