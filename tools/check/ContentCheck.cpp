#include "ContentCheck.h"

#include <filesystem>

#include "data/JsonFile.h"
#include "platform/CCFileUtils.h"
#include "shell/Constants.h"

namespace {

const char* const kTutorialKeys[] = {
    "description1", "description2", "howToPlay",      "descHowToPlay", "fav",
    "descFav",      "confession",   "descConfession", "next",          "toGame",
};

// Runs one loader; a failure becomes one problem naming the file.
template <class Map, class Loader>
void loadOne(const std::string& path, Loader loader, std::optional<Map>& into, Problems& problems) {
    const std::string missing = fileProblem(path);
    if (!missing.empty()) {
        problems.push_back({path, missing});
        return;
    }
    try {
        into = loader();
    } catch (const std::exception& e) {
        problems.push_back({path, e.what()});
    }
}

std::string gRoot;

} // namespace

void setCheckRoot(const std::string& root) {
    gRoot = root;
    if (!gRoot.empty() && gRoot.back() != '/') {
        gRoot += '/';
    }
}

const std::string& checkRoot() {
    return gRoot;
}

std::string fileProblem(const std::string& path) {
    auto* files = cocos2d::FileUtils::getInstance();
    if (files->isFileExist(path)) {
        return "";
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(gRoot + path, ignored)) {
        return "is a directory, not a file";
    }
    return "file not found";
}

LoadedContent checkDataFiles(Problems& problems) {
    LoadedContent content;
    loadOne(kCharacterDataPath, loadCharacters, content.characters, problems);
    loadOne(kScenarioDataPath, loadScenarios, content.scenarios, problems);
    loadOne(kConfessionDataPath, loadConfessions, content.confessions, problems);
    loadOne(kCharacterInfoPath, loadCharacterInfos, content.infos, problems);
    if (content.characters && content.scenarios) {
        for (auto& problem : validateContent(*content.characters, *content.scenarios)) {
            problems.push_back(std::move(problem));
        }
    }
    return content;
}

void checkTutorialStrings(Problems& problems) {
    const std::string& path = kTutorialStringsPath;
    const std::string missing = fileProblem(path);
    if (!missing.empty()) {
        problems.push_back({path, missing});
        return;
    }
    nlohmann::json strings;
    try {
        strings = readJsonFile(path);
    } catch (const std::exception& e) {
        problems.push_back({path, e.what()});
        return;
    }
    if (!strings.is_object()) {
        problems.push_back({path, std::string("top level is ") + strings.type_name() + ", not an object"});
        return;
    }
    for (const char* key : kTutorialKeys) {
        if (!strings.contains(key)) {
            problems.push_back({path, std::string("key '") + key + "' not found"});
        } else if (!strings[key].is_string()) {
            problems.push_back({path, std::string("key '") + key + "' must be a string, but is " +
                                          strings[key].type_name()});
        }
    }
}
