// Every media file that the code or the data names must exist and load through the engine, and
// the pictures that replace one another at run time must share their pixel size.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "audio/include/AudioEngine.h"
#include "engine/EngineFixture.h"
#include "shell/Constants.h"

USING_NS_CC;

namespace {

namespace fs = std::filesystem;

const std::string kSourceDir = SOLVANE_SOURCE_DIR;

bool hasExtension(const std::string& path, const std::string& extension) {
    return path.size() > extension.size() &&
           path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
}

bool isMedia(const std::string& text) {
    return hasExtension(text, ".png") || hasExtension(text, ".plist") || hasExtension(text, ".mp3") ||
           hasExtension(text, ".otf");
}

// String literals naming media in the game's own sources (scenes, play, shell, data).
void collectFromSources(std::set<std::string>& paths) {
    static const std::regex literal("\"([^\"\\s]+)\"");
    for (const char* folder : {"shell", "scenes", "gameplay", "data"}) {
        const fs::path root = fs::path(kSourceDir) / folder;
        if (!fs::exists(root)) {
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") {
                continue;
            }
            std::ifstream in(entry.path());
            std::stringstream text;
            text << in.rdbuf();
            const std::string source = text.str();
            for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it) {
                if (isMedia((*it)[1].str())) {
                    paths.insert((*it)[1].str());
                }
            }
        }
    }
}

void collectFromJson(const nlohmann::json& value, std::set<std::string>& paths) {
    if (value.is_string()) {
        if (isMedia(value.get<std::string>())) {
            paths.insert(value.get<std::string>());
        }
    } else if (value.is_structured()) {
        for (const auto& item : value) {
            collectFromJson(item, paths);
        }
    }
}

// Media named by any string in any JSON file under Resources/.
void collectFromData(std::set<std::string>& paths) {
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(kSourceDir) / "Resources")) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        std::ifstream in(entry.path());
        const auto data = nlohmann::json::parse(in, nullptr, false);
        ASSERT_FALSE(data.is_discarded()) << entry.path() << " is not valid JSON";
        collectFromJson(data, paths);
    }
}

std::set<std::string> namedMedia() {
    std::set<std::string> paths;
    collectFromSources(paths);
    collectFromData(paths);
    // The shared constants are named once in the header; list them even if the scan misses a form.
    for (const std::string& path : {kFontPath, kSpeechBubblePath, kSelectionFramePath, kLogoImagePath,
                                    kFocusLinesPath, kGameOverImagePath}) {
        paths.insert(path);
    }
    for (const std::string& path : kFavourIconPaths) {
        paths.insert(path);
    }
    return paths;
}

std::set<std::string> withExtension(const std::set<std::string>& paths, const std::string& extension) {
    std::set<std::string> found;
    for (const auto& path : paths) {
        if (hasExtension(path, extension)) {
            found.insert(path);
        }
    }
    return found;
}

class MediaResources : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        _named = namedMedia();
        _scene = Scene::create();
        director()->runWithScene(_scene);
        step(1.0f / 60);
    }

    Size pictureSize(const std::string& path) {
        Sprite* sprite = Sprite::create(path);
        return sprite ? sprite->getContentSize() : Size::ZERO;
    }

    std::set<std::string> _named;
    Scene* _scene = nullptr;
};

TEST_F(MediaResources, TheScanFindsWhatThePlayNeeds) {
    // Guards the scan itself: if these vanish, the other checks would pass on nothing.
    for (const char* path : {"maru.png", "batsu.png", "res/effect/heart.plist", "ui/start01.png"}) {
        EXPECT_TRUE(_named.count(path)) << path << " not found in the sources";
    }
    EXPECT_GE(withExtension(_named, ".png").size(), 40u);
}

TEST_F(MediaResources, EveryNamedPictureDecodes) {
    for (const auto& path : withExtension(_named, ".png")) {
        const Size size = pictureSize(path);
        EXPECT_GT(size.width, 0) << path << " is missing or does not decode";
        EXPECT_GT(size.height, 0) << path;
    }
}

// A play and the gallery swap one sprite's texture between pictures of one kind and keep the
// rectangle of the first, so every picture of a kind must have the same pixel size.
TEST_F(MediaResources, PicturesThatReplaceEachOtherShareOneSize) {
    std::map<std::string, std::map<std::string, Size>> kinds;
    for (const auto& path : withExtension(_named, ".png")) {
        for (const char* kind : {"res/gal/", "res/background/", "res/icon/"}) {
            if (path.rfind(kind, 0) == 0) {
                kinds[kind][path] = pictureSize(path);
            }
        }
    }
    ASSERT_GE(kinds["res/gal/"].size(), 8u) << "fewer than eight heroine pictures are named";
    ASSERT_GE(kinds["res/background/"].size(), 11u);
    ASSERT_EQ(kinds["res/icon/"].size(), 5u);
    for (const auto& kind : kinds) {
        const Size first = kind.second.begin()->second;
        for (const auto& picture : kind.second) {
            EXPECT_EQ(picture.second.width, first.width) << picture.first;
            EXPECT_EQ(picture.second.height, first.height) << picture.first;
        }
    }
    EXPECT_EQ(kinds["res/background/"].begin()->second.width, 1280);
    EXPECT_EQ(kinds["res/background/"].begin()->second.height, 720);
}

// A button's normal and pressed pictures are shown in the same place; different sizes would
// make the button jump when pressed.
TEST_F(MediaResources, ButtonPairsMatchInSize) {
    for (const char* name : {"start", "settings", "exit", "retry"}) {
        const Size normal = pictureSize(std::string("ui/") + name + "01.png");
        const Size pressed = pictureSize(std::string("ui/") + name + "02.png");
        EXPECT_GT(normal.width, 0) << name;
        EXPECT_EQ(normal.width, pressed.width) << name;
        EXPECT_EQ(normal.height, pressed.height) << name;
    }
}

TEST_F(MediaResources, TheFontOpensAndDrawsLatinKanaAndTheBullet) {
    ASSERT_TRUE(_named.count(kFontPath));
    Label* label = Label::createWithTTF("・Sporty ねこ ネコ 猫", kFontPath, 28);
    ASSERT_NE(label, nullptr) << kFontPath;
    _scene->addChild(label);
    step(1.0f / 60);
    EXPECT_GT(label->getContentSize().width, 100);
    EXPECT_GT(label->getContentSize().height, 20);
}

// Each effect is a finite burst: it emits, stops on its own and, when asked to, removes itself
// once its last particle has died, so repeated answers never pile up emitters.
TEST_F(MediaResources, EveryEffectIsAFiniteBurstThatCleansItselfUp) {
    const auto plists = withExtension(_named, ".plist");
    ASSERT_EQ(plists.size(), 4u);
    for (const auto& path : plists) {
        ParticleSystemQuad* system = ParticleSystemQuad::create(path);
        ASSERT_NE(system, nullptr) << path << " is missing or does not parse";
        EXPECT_GT(system->getDuration(), 0) << path << " must not run forever";
        EXPECT_LE(system->getDuration(), 2.0f) << path;
        system->retain();
        system->setAutoRemoveOnFinish(true);
        system->resetSystem();
        _scene->addChild(system);
        int most = 0;
        for (int frame = 0; frame < 300 && system->getParent(); ++frame) {
            step(1.0f / 60);
            most = std::max(most, system->getParticleCount());
        }
        EXPECT_GE(most, 10) << path << " emitted too little to be seen";
        EXPECT_EQ(system->getParent(), nullptr) << path << " still on screen after 5 s";
        system->release();
    }
}

TEST_F(MediaResources, EveryNamedSoundLoads) {
    const auto sounds = withExtension(_named, ".mp3");
    EXPECT_GE(sounds.size(), 11u);
    for (const auto& path : sounds) {
        EXPECT_NE(experimental::AudioEngine::play2d(path, false, 0.0f),
                  experimental::AudioEngine::INVALID_AUDIO_ID)
            << path << " is missing or does not decode";
    }
    experimental::AudioEngine::stopAll();
}

} // namespace
