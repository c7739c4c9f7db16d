#include "shell/StartupLoad.h"

#include <cstdlib>
#include <exception>
#include <iostream>

#include "cocos2d.h"
#include "data/ContentValidation.h"
#include "data/GameData.h"
#include "platform/CCCommon.h"

namespace {

[[noreturn]] void failStartup(const std::string& file, const std::string& message) {
    const std::string text = startupFailureText(file, message);
    std::cerr << text << std::endl;
    cocos2d::MessageBox(text.c_str(), "Solvane");
    std::exit(1);
}

} // namespace

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
