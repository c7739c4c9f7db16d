#include <filesystem>
#include <optional>
#include <set>
#include <utility>

#include <SDL_image.h>
#include <tinyxml2.h>

#include "ContentCheck.h"
#include "cocos2d.h"
#include "shell/Constants.h"

namespace {

// Media the scenes name directly rather than through the shared constants.
const char* const kSceneMedia[] = {
    "maru.png",
    "batsu.png",
    "res/background/gals_background.png",
    "res/background/park.png",
    "res/background/score_background.png",
    "res/background/setting_background.png",
    "res/background/title_background.png",
    "res/bgm/op.mp3",
    "res/bgm/honobono_m.mp3",
    "res/tutorial/tutorial_game.png",
    "res/tutorial/tutorial_fav.png",
    "res/tutorial/tutorial_confession.png",
    "ui/SliderNode_Disable.png",
    "ui/SliderNode_Normal.png",
    "ui/SliderNode_Press.png",
    "ui/Slider_Back.png",
    "ui/Slider_PressBar.png",
    "ui/exit01.png",
    "ui/exit02.png",
    "ui/retry01.png",
    "ui/retry02.png",
    "ui/settings01.png",
    "ui/settings02.png",
    "ui/start01.png",
    "ui/start02.png",
    "ui/title_menu01.png",
};

const char* const kParticleFiles[] = {
    "res/effect/heart.plist",
    "res/effect/sad.plist",
    "res/effect/success.plist",
    "res/effect/fail.plist",
};

void requireFile(const std::string& path, Problems& problems) {
    const std::string problem = fileProblem(path);
    if (!problem.empty()) {
        problems.push_back({path, problem});
    }
}

// A file named inside a data file: the problem is reported against the data file, once per
// path however many records share it.
void requireNamedFile(const std::string& dataFile, const std::string& owner, const std::string& what,
                      const std::string& path, std::set<std::string>& reported, Problems& problems) {
    if (!reported.insert(dataFile + "\n" + path).second) {
        return;
    }
    const std::string problem = fileProblem(path);
    if (!problem.empty()) {
        problems.push_back({dataFile, owner + ": " + what + " '" + path + "': " + problem});
    }
}

// The value of a top-level key of a particle definition's dictionary, or "".
std::string plistString(const tinyxml2::XMLElement* dict, const char* wanted) {
    for (auto* key = dict->FirstChildElement("key"); key; key = key->NextSiblingElement("key")) {
        if (key->GetText() && std::string(key->GetText()) == wanted) {
            const auto* value = key->NextSiblingElement();
            return value && value->GetText() ? value->GetText() : "";
        }
    }
    return "";
}

void checkParticle(const std::string& path, Problems& problems) {
    const std::string problem = fileProblem(path);
    if (!problem.empty()) {
        problems.push_back({path, problem});
        return;
    }
    tinyxml2::XMLDocument doc;
    if (doc.LoadFile((checkRoot() + path).c_str()) != tinyxml2::XML_SUCCESS) {
        problems.push_back({path, std::string("not a readable particle definition: ") + doc.ErrorStr()});
        return;
    }
    const auto* plist = doc.FirstChildElement("plist");
    const auto* dict = plist ? plist->FirstChildElement("dict") : nullptr;
    if (dict == nullptr) {
        problems.push_back({path, "not a particle definition (no <plist><dict>)"});
        return;
    }
    const std::string texture = plistString(dict, "textureFileName");
    const bool embedded = !plistString(dict, "textureImageData").empty();
    if (texture.empty()) {
        if (!embedded) {
            problems.push_back({path, "names no texture (textureFileName and textureImageData empty)"});
        }
        return;
    }
    // The framework looks for the texture beside the definition first, then from the root.
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const std::string beside = folder.empty() ? texture : folder + "/" + texture;
    if (fileProblem(beside).empty() || fileProblem(texture).empty() || embedded) {
        return;
    }
    problems.push_back({path, "texture '" + texture + "' not found beside it or under the root"});
}

const char* emotionName(Emotion emotion) {
    static const char* const names[] = {"Normal", "Angry", "Happy", "Sad", "Surprised", "Embarrassed"};
    return names[static_cast<int>(emotion)];
}

// The pixel size of a picture that decodes, or nothing.
std::optional<std::pair<int, int>> pictureSize(const std::string& path) {
    const std::string full = cocos2d::FileUtils::getInstance()->fullPathForFilename(path);
    SDL_Surface* surface = full.empty() ? nullptr : IMG_Load(full.c_str());
    if (!surface) {
        return std::nullopt;
    }
    const std::pair<int, int> size{surface->w, surface->h};
    SDL_FreeSurface(surface);
    return size;
}

// Her expressions swap in place of her base picture, keeping its rectangle: each must exist,
// decode and have the base picture's size.
void checkExpressions(const std::string& owner, const Character& h, std::set<std::string>& reported,
                      Problems& problems) {
    if (h.expressions.empty()) {
        return; // nothing to compare: her base picture is not decoded for it
    }
    const auto base = pictureSize(h.file);
    for (const auto& [emotion, picture] : h.expressions) {
        const std::string what = std::string(emotionName(emotion)) + " expression";
        const std::size_t before = problems.size();
        requireNamedFile(kCharacterDataPath, owner, what, picture, reported, problems);
        if (problems.size() != before || picture == h.file) {
            continue;
        }
        const auto size = pictureSize(picture);
        std::string problem;
        if (!size) {
            problem = "does not decode as a picture";
        } else if (base && *size != *base) {
            problem = std::to_string(size->first) + "x" + std::to_string(size->second) + ", not " +
                      std::to_string(base->first) + "x" + std::to_string(base->second) + " like '" + h.file +
                      "'";
        }
        if (!problem.empty()) {
            problems.push_back({kCharacterDataPath, owner + ": " + what + " '" + picture + "': " + problem});
        }
    }
}

} // namespace

void checkMedia(const LoadedContent& content, Problems& problems) {
    std::set<std::string> reported;
    if (content.characters) {
        for (const auto& [id, h] : *content.characters) {
            const std::string owner = "heroine " + std::to_string(id) + " (" + h.name + ")";
            requireNamedFile(kCharacterDataPath, owner, "picture", h.file, reported, problems);
            checkExpressions(owner, h, reported, problems);
        }
    }
    if (content.scenarios) {
        for (const auto& [id, s] : *content.scenarios) {
            const std::string owner = "scenario " + std::to_string(id);
            requireNamedFile(kScenarioDataPath, owner, "background", s.background, reported, problems);
            requireNamedFile(kScenarioDataPath, owner, "music", s.bgm, reported, problems);
        }
    }
    const std::string catalogue[] = {
        kFontPath,
        kSpeechBubblePath,
        kSelectionFramePath,
        kLogoImagePath,
        kFocusLinesPath,
        kGameOverImagePath,
        kCorrectSoundPath,
        kMissSoundPath,
        kProposeEnterSoundPath,
        kProposeSuccessSoundPath,
        kProposeFailSoundPath,
    };
    for (const auto& path : catalogue) {
        requireFile(path, problems);
    }
    for (const auto& path : kFavourIconPaths) {
        requireFile(path, problems);
    }
    for (const char* path : kSceneMedia) {
        requireFile(path, problems);
    }
    for (const char* path : kParticleFiles) {
        checkParticle(path, problems);
    }
}
