#pragma once
// A fresh headless engine per test with the small gameplay fixture content (the font comes
// from the shipped resources), a fixed random seed, and a tick clock that the test moves
// together with the frames.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/SceneTable.h"
#include "cocos2d.h"
#include "data/GameData.h"
#include "data/Random.h"
#include "ext/Headless.h"
#include "ext/Input.h"
#include "ext/Paths.h"
#include "gameplay/Game.h"
#include "shell/BGM.h"
#include "shell/TickClock.h"

namespace play_test {

inline const std::string kFixtureRoot = std::string(SOLVANE_FIXTURES_DIR) + "/gameplay/";
inline const std::string kShippedRoot = std::string(SOLVANE_SOURCE_DIR) + "/Resources/";
constexpr float kFrame = 1.0f / 60;

class PlayFixture : public ::testing::Test {
protected:
    void SetUp() override { startEngine(1280, 720, {kFixtureRoot, kShippedRoot}); }

    void TearDown() override {
        cocos2d::ext::resetAll();
        setTickSource({});
        setRandSeedClock({});
        cocos2d::ext::setLogSink({});
        cocos2d::ext::setResourceRoot("");
        cocos2d::ext::setWritablePath("");
        resetBGM(); // the music manager's state outlives the engine
        std::filesystem::remove_all(_writable);
    }

    // A headless view of that frame size; resources are searched in the given folders in order.
    void startEngine(int frameWidth, int frameHeight, const std::vector<std::string>& roots) {
        cocos2d::ext::resetAll();
        _writable =
            (std::filesystem::temp_directory_path() / ("solvane-play-" + std::to_string(getpid()))).string();
        cocos2d::ext::setWritablePath(_writable);
        cocos2d::ext::setResourceRoot(roots.front());
        for (size_t i = 1; i < roots.size(); ++i) {
            cocos2d::FileUtils::getInstance()->addSearchPath(roots[i]);
        }
        cocos2d::ext::startHeadless(frameWidth, frameHeight);
        cocos2d::Director::getInstance()->getOpenGLView()->setDesignResolutionSize(
            1280, 720, ResolutionPolicy::NO_BORDER);

        setTickSource([this]() { return _ticks; });
        resetRandSeeding();
        setRandSeedClock([]() { return 20240601u; });
        cocos2d::ext::setLogSink([this](const std::string& line) { _log.push_back(line); });
        resetBGM();
        installSceneTable();
        GameData::loadAll();
    }

    // Shows a new play and runs its first update with no wall time passing: the clock reads
    // 60.00 and the space key is hooked up.
    Game* startPlay() {
        _game = Game::create();
        cocos2d::Director::getInstance()->runWithScene(_game);
        cocos2d::ext::step(0.0f, 2);
        return _game;
    }

    // Frames of dt seconds; the wall clock moves by the same amount before each frame.
    void advance(float dt, int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            _ticks += static_cast<std::int64_t>(static_cast<double>(dt) * kTicksPerSecond);
            cocos2d::ext::step(dt);
        }
    }

    // Runs frames until the log has that line (only lines logged from now on count), at most 5 s.
    bool advanceUntilLogged(const std::string& line) {
        const size_t from = _log.size();
        for (int frame = 0; frame < 300; ++frame) {
            advance(kFrame);
            if (std::find(_log.begin() + from, _log.end(), line) != _log.end()) {
                return true;
            }
        }
        return false;
    }

    int countLogged(const std::string& line) const { return std::count(_log.begin(), _log.end(), line); }

    void press(cocos2d::EventKeyboard::KeyCode code) {
        cocos2d::ext::keyPress(code);
        advance(kFrame);
    }

    // Answers with the arrow key of the row that is right (or wrong) for the heroine asked.
    void answer(bool right) {
        const int row = right ? acceptedRow() : 1 - acceptedRow();
        press(row == 0 ? cocos2d::EventKeyboard::KeyCode::KEY_UP_ARROW
                       : cocos2d::EventKeyboard::KeyCode::KEY_DOWN_ARROW);
    }

    int acceptedRow() const { return _game->getSelections().at(0).judge(_game->getCurrentGal()) ? 0 : 1; }
    cocos2d::Vec2 rowPoint(int row) const { return _game->answerRowPosition(row); }
    ActiveGal& entryOf(const Character& gal) { return *_game->getPlay().findActiveGal(gal.id); }
    std::string timeText() const { return _game->getTimeLabel()->getString(); }
    std::string scoreText() const { return _game->getScoreLabel()->getString(); }

    Game* _game = nullptr;
    std::int64_t _ticks = 1000 * kTicksPerSecond;
    std::vector<std::string> _log;
    std::string _writable;
};

inline bool hasParticleChild(cocos2d::Node* node) {
    for (auto* child : node->getChildren()) {
        if (dynamic_cast<cocos2d::ParticleSystemQuad*>(child)) {
            return true;
        }
    }
    return false;
}

} // namespace play_test
