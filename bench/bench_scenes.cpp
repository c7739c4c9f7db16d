// One frame (update + draw) of every scene of the game, headless at 1280x720 with the shipped
// content, once the scene has entered and its first pictures and labels are made.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/SceneTable.h"
#include "base/CCUserDefault.h"
#include "cocos2d.h"
#include "data/GameData.h"
#include "ext/Headless.h"
#include "ext/Log.h"
#include "ext/Paths.h"
#include "gameplay/Game.h"
#include "scenes/Gals.h"
#include "scenes/Logo.h"
#include "scenes/Score.h"
#include "scenes/Setting.h"
#include "scenes/Title.h"
#include "scenes/Tutorial.h"
#include "shell/TickClock.h"

USING_NS_CC;

namespace {

constexpr float kFrameDt = 1.0f / 60;

std::string storeFolder() {
    static const std::string folder = [] {
        auto dir =
            std::filesystem::temp_directory_path() / ("solvane-bench-scenes-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir.string() + "/";
    }();
    return folder;
}

// A fresh engine with the shipped content loaded and the scene running for a few frames.
void enter(const std::function<Scene*()>& make) {
    ext::resetAll();
    ext::setLogSink([](const std::string&) {});
    ext::setWritablePath(storeFolder());
    UserDefault::getInstance()->setBoolForKey("isFirstTime", true);
    // The play's clock stands still, so the play scene stays mid-play for every iteration.
    setTickSource([] { return std::int64_t{0}; });
    ext::startHeadless(1280, 720);
    Director::getInstance()->getOpenGLView()->setDesignResolutionSize(1280, 720, ResolutionPolicy::NO_BORDER);
    static const bool loaded = [] {
        GameData::loadAll();
        installSceneTable();
        return true;
    }();
    (void)loaded;
    Director::getInstance()->runWithScene(make());
    ext::step(kFrameDt, 5);
}

void runScene(benchmark::State& state, const std::function<Scene*()>& make) {
    enter(make);
    // The logo moves on to the next scene after a few seconds; hold it on screen.
    if (auto* logo = dynamic_cast<Logo*>(Director::getInstance()->getRunningScene())) {
        logo->stopAllActions();
    }
    for (auto _ : state) {
        ext::step(kFrameDt);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    ext::resetAll();
    setTickSource({});
}

Scene* makeScore() {
    Score* score = Score::create();
    if (score) {
        score->setScores(3400, 5200);
    }
    return score;
}

} // namespace

BENCHMARK_CAPTURE(runScene, Logo, [] {
    return static_cast<Scene*>(Logo::create());
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runScene, Title, [] {
    return static_cast<Scene*>(Title::create());
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runScene, Setting, [] {
    return static_cast<Scene*>(Setting::create());
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runScene, Gals, [] {
    return static_cast<Scene*>(Gals::create());
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runScene, Tutorial, [] {
    return static_cast<Scene*>(Tutorial::create());
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runScene, Score, [] { return makeScore(); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runScene, Game, [] {
    return static_cast<Scene*>(Game::create());
})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
