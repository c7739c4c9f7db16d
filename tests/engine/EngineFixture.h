#pragma once

// A fresh headless engine per test: 1280x720 frame, 1280x720 design resolution (NO_BORDER), a
// temporary writable folder, silent audio and captured log lines.

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cocos2d.h"
#include "ext/Headless.h"
#include "ext/Log.h"
#include "ext/Paths.h"

class EngineFixture : public ::testing::Test {
public:
    // Frame pixel as 0xRRGGBBAA, x right and y DOWN from the frame's top-left.
    static unsigned int pixel(int x, int y) { return cocos2d::ext::framePixel(x, y); }

protected:
    static constexpr int kFrameWidth = 1280;
    static constexpr int kFrameHeight = 720;

    void SetUp() override {
        cocos2d::ext::resetAll();
        _logLines.clear();
        cocos2d::ext::setLogSink([this](const std::string& line) { _logLines.push_back(line); });
        char pattern[] = "/tmp/solvane-test-XXXXXX";
        const char* dir = mkdtemp(pattern);
        ASSERT_NE(dir, nullptr) << "can't create a temporary folder";
        _tempDir = std::string(dir) + "/";
        cocos2d::ext::setWritablePath(_tempDir);
        cocos2d::ext::startHeadless(kFrameWidth, kFrameHeight);
        view()->setDesignResolutionSize(1280, 720, ResolutionPolicy::NO_BORDER);
    }

    void TearDown() override {
        cocos2d::ext::resetAll();
        cocos2d::ext::setLogSink({});
        cocos2d::ext::setWritablePath("");
        std::error_code ignored;
        std::filesystem::remove_all(_tempDir, ignored);
    }

    cocos2d::Director* director() { return cocos2d::Director::getInstance(); }
    cocos2d::GLView* view() { return director()->getOpenGLView(); }
    const std::string& tempDir() const { return _tempDir; }

    // Runs frames with the given dt (the first frame after runWithScene gets dt 0).
    void step(float dt, int frames = 1) { cocos2d::ext::step(dt, frames); }

    const std::vector<std::string>& logLines() const { return _logLines; }
    bool logContains(const std::string& fragment) const {
        for (const auto& line : _logLines) {
            if (line.find(fragment) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // Frame pixel under a design point (y up), for the identity mapping of the default 1280x720 setup.
    static unsigned int pixelAtDesign(float x, float y) {
        return cocos2d::ext::framePixel(static_cast<int>(x), kFrameHeight - 1 - static_cast<int>(y));
    }

    // Writes a solid-colour PNG into the temporary folder and returns its full path.
    std::string makePng(const std::string& name, int width, int height, SDL_Color color) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, color.r, color.g, color.b, color.a));
        std::string path = _tempDir + name;
        IMG_SavePNG(surface, path.c_str());
        SDL_FreeSurface(surface);
        return path;
    }

    // A font with full Japanese coverage: the system's Noto CJK collection, else the game's own.
    static std::string cjkFont() {
        const char* candidates[] = {"/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
                                    SOLVANE_SOURCE_DIR "/Resources/fonts/NotoSans/NotoSansCJKjp-Regular.otf"};
        for (const char* path : candidates) {
            if (std::filesystem::exists(path)) {
                return path;
            }
        }
        return candidates[1];
    }

private:
    std::string _tempDir;
    std::vector<std::string> _logLines;
};

// 0xRRGGBBAA helpers for pixel assertions.
// The same, with an empty scene already running and drawn once.
class SceneFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        _scene = cocos2d::Scene::create();
        director()->runWithScene(_scene);
        step(1.0f / 60);
    }

    cocos2d::Scene* _scene = nullptr;
};

inline unsigned int rgbOf(unsigned int rgba) {
    return rgba >> 8;
}
inline int redOf(unsigned int rgba) {
    return static_cast<int>((rgba >> 24) & 0xFF);
}
inline int greenOf(unsigned int rgba) {
    return static_cast<int>((rgba >> 16) & 0xFF);
}
inline int blueOf(unsigned int rgba) {
    return static_cast<int>((rgba >> 8) & 0xFF);
}
