// solvane-check [RESOURCE_ROOT]
//
// Loads the game's content from RESOURCE_ROOT (default: the Resources folder beside this
// program) through the game's own loaders, runs the start-up validation and checks that every
// file the content and the scenes name exists and that the label font covers every text.
// Prints "ok: H heroines, S scenarios, C confessions, I profiles" and exits 0, or one line
// "error: <file>: <message>" per problem and exits 1.

#include <cstdio>
#include <filesystem>
#include <iostream>

#include <SDL.h>

#include "ContentCheck.h"
#include "ext/Log.h"
#include "ext/Paths.h"

namespace {

std::string defaultRoot(const char* argv0) {
    char* base = SDL_GetBasePath();
    std::string dir = base ? base : std::filesystem::path(argv0).parent_path().string() + "/";
    SDL_free(base);
    return dir + "Resources/";
}

int run(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
        std::cerr << "usage: solvane-check [RESOURCE_ROOT]" << std::endl;
        return 2;
    }
    const std::string root = argc == 2 ? argv[1] : defaultRoot(argv[0]);
    std::error_code ignored;
    if (!std::filesystem::is_directory(root, ignored)) {
        std::cout << "error: .: resource root '" << root << "' is not a folder" << std::endl;
        return 1;
    }
    cocos2d::ext::setResourceRoot(root);
    setCheckRoot(root);
    // The loaders' diagnostics would drown the report; only problems are printed.
    cocos2d::ext::setLogSink([](const std::string&) {});

    Problems problems;
    const LoadedContent content = checkDataFiles(problems);
    checkTutorialStrings(problems);
    checkMedia(content, problems);
    checkFontCoverage(content, problems);

    if (!problems.empty()) {
        for (const auto& problem : problems) {
            std::cout << "error: " << problem.file << ": " << problem.message << "\n";
        }
        std::cout.flush();
        return 1;
    }
    std::cout << "ok: " << content.characters->size() << " heroines, " << content.scenarios->size()
              << " scenarios, " << content.confessions->size() << " confessions, " << content.infos->size()
              << " profiles" << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cout << "error: .: " << e.what() << std::endl;
        return 1;
    }
}
