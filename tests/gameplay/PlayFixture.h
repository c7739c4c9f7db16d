#pragma once
// A fresh headless engine per test with the small gameplay fixture content, a deterministic
// random sequence and a tick clock that advances exactly with the frames.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "cocos2d.h"
#include "data/GameData.h"
#include "data/Random.h"
#include "ext/Headless.h"
#include "ext/Input.h"
#include "ext/Paths.h"
#include "gameplay/ActiveGals.h"
#include "gameplay/Game.h"
#include "shell/BGM.h"
#include "shell/TickClock.h"

namespace play_test {

inline const std::string kFixtureRoot = std::string(SOLVANE_FIXTURES_DIR) + "/gameplay/";
inline const std::string kFontName = "fonts/NotoSans/NotoSansCJKjp-Regular.otf";

class PlayFixture : public ::testing::Test {
protected:
    void SetUp() override { startEngine(1280, 720, kFixtureRoot); }

    void TearDown() override {
        cocos2d::ext::resetAll();
        setTickSource({});
        setRandSeedClock({});
        cocos2d::ext::setLogSink({});
        cocos2d::ext::setResourceRoot("");
        cocos2d::ext::setWritablePath("");
        currentBGMId = -1;
        currentBGMPath.clear();
        onStopActions.clear();
        std::error_code ignored;
        std::filesystem::remove_all(_writable, ignored);
    }

    // Frame size, then the resource folders searched in order (the fixture content first).
    void startEngine(int frameWidth, int frameHeight, const std::string& root,
                     const std::vector<std::string>& moreRoots = {}) {
        cocos2d::ext::resetAll();
        char dir[] = "/tmp/solvane-play-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        _writable = dir;
        cocos2d::ext::setWritablePath(_writable);
        cocos2d::ext::setResourceRoot(root);
        auto* files = cocos2d::FileUtils::getInstance();
        for (const auto& more : moreRoots) {
            files->addSearchPath(more);
        }
        files->addSearchPath(fontRoot());

        cocos2d::ext::startHeadless(frameWidth, frameHeight);
        cocos2d::Director::getInstance()->getOpenGLView()->setDesignResolutionSize(
            1280, 720, ResolutionPolicy::NO_BORDER);

        _ticks = 1000 * kTicksPerSecond;
        setTickSource([this]() { return _ticks; });
        resetRandSeeding();
        setRandSeedClock([this]() { return _seed; });
        cocos2d::ext::setLogSink([this](const std::string& line) { _log.push_back(line); });
        currentBGMId = -1;
        currentBGMPath.clear();
        GameData::loadAll();
    }

    // The shipped font when the build has it, else the system's Noto CJK under the same name.
    std::string fontRoot() {
        const std::string shipped = std::string(SOLVANE_SOURCE_DIR) + "/Resources/";
        if (access((shipped + kFontName).c_str(), R_OK) == 0) {
            return shipped;
        }
        const std::string fallback = _writable + "/fontroot/";
        mkdir(fallback.c_str(), 0755);
        mkdir((fallback + "fonts").c_str(), 0755);
        mkdir((fallback + "fonts/NotoSans").c_str(), 0755);
        symlink("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", (fallback + kFontName).c_str());
        return fallback;
    }

    // Creates the play, shows it, runs the frame in which it enters the stage and then its
    // first update, with no wall time passing: the clock reads 60.00 and every key is hooked up.
    Game* startPlay() {
        _game = Game::create();
        EXPECT_NE(_game, nullptr);
        cocos2d::Director::getInstance()->runWithScene(_game);
        cocos2d::ext::step(0.0f);
        cocos2d::ext::step(0.0f);
        return _game;
    }

    // Frames of dt seconds; the wall clock moves by the same amount before each frame.
    void advance(float dt, int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            _ticks += static_cast<std::int64_t>(static_cast<double>(dt) * kTicksPerSecond);
            cocos2d::ext::step(dt);
        }
    }

    // Runs frames of dt until the log has that line (counting from `from`), at most `limit` s.
    bool advanceUntilLogged(const std::string& line, float dt = 1.0f / 60, float limit = 5.0f) {
        const size_t from = _log.size();
        for (float t = 0; t < limit; t += dt) {
            advance(dt);
            for (size_t i = from; i < _log.size(); ++i) {
                if (_log[i] == line) {
                    return true;
                }
            }
        }
        return false;
    }

    int countLogged(const std::string& line, size_t from = 0) const {
        int count = 0;
        for (size_t i = from; i < _log.size(); ++i) {
            count += _log[i] == line ? 1 : 0;
        }
        return count;
    }

    int countLoggedPrefix(const std::string& prefix) const {
        int count = 0;
        for (const auto& line : _log) {
            count += line.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return count;
    }

    // The row of the selection the current heroine accepts.
    int acceptedRow() const {
        const auto& selections = _game->getSelections();
        return selections.at(0).judge(_game->getCurrentGal()) ? 0 : 1;
    }

    cocos2d::Vec2 rowPoint(int row) const { return _game->nextGalSlotPosition(row); }

    ActiveGal& entryOf(const Character& gal) {
        ActiveGal* entry = findActiveGal(gal.id);
        EXPECT_NE(entry, nullptr);
        return *entry;
    }

    std::string timeText() const { return _game->getTimeLabel()->getString(); }
    std::string scoreText() const { return _game->getScoreLabel()->getString(); }

    Game* _game = nullptr;
    std::int64_t _ticks = 0;
    std::uint32_t _seed = 20240601;
    std::vector<std::string> _log;
    std::string _writable;
};

} // namespace play_test
