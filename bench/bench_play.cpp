// The play scene on the shipped content: one whole frame (update and draw, headless 1280x720)
// and the logic of one turn (pick a scenario, pick a pair, build the selections).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/SceneTable.h"
#include "cocos2d.h"
#include "data/GameData.h"
#include "data/Random.h"
#include "ext/Headless.h"
#include "gameplay/Game.h"
#include "shell/BGM.h"
#include "shell/TickClock.h"

namespace {

std::int64_t gTicks = 0;

// A running play on a fresh headless engine, with log lines swallowed so that printing does
// not dominate the numbers.
Game* startPlay() {
    cocos2d::ext::resetAll();
    cocos2d::ext::setLogSink([](const std::string&) {});
    cocos2d::ext::startHeadless(1280, 720);
    cocos2d::Director::getInstance()->getOpenGLView()->setDesignResolutionSize(1280, 720,
                                                                               ResolutionPolicy::NO_BORDER);
    gTicks = 0;
    setTickSource([]() { return gTicks; });
    resetBGM();
    installSceneTable();
    GameData::loadAll();
    Game* game = Game::create();
    cocos2d::Director::getInstance()->runWithScene(game);
    cocos2d::ext::step(0.0f);
    return game;
}

void finish() {
    cocos2d::ext::resetAll();
    setTickSource({});
    cocos2d::ext::setLogSink({});
}

// Frames in which the play is asking; the clock is held far from zero by adding time back.
void BM_PlayFrame(benchmark::State& state) {
    Game* game = startPlay();
    constexpr float dt = 1.0f / 60;
    for (auto _ : state) {
        gTicks += kTicksPerSecond / 60;
        cocos2d::ext::step(dt);
        if (game->getTimeLeft() < 30.0f) {
            state.PauseTiming();
            game->addTime(30, 0.0f);
            state.ResumeTiming();
        }
    }
    finish();
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TurnLogic(benchmark::State& state) {
    Game* game = startPlay();
    for (auto _ : state) {
        // buildSelections draws the accepted/rejected pair itself.
        const Scenario scenario = pickScenario(game->getCurrentGal());
        game->buildSelections(game->getCurrentGal(), scenario.selections);
    }
    finish();
}
BENCHMARK(BM_TurnLogic)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
