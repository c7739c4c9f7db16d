// How long an effect takes from play2d to the output, on SDL's dummy driver, which consumes
// samples in real time as a sound card does. Wall-clock figures belong here, not in the tests:
// the target is under one 60 Hz frame (16.7 ms) for most plays.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "audio/include/AudioEngine.h"
#include "engine/ToneFile.h"
#include "ext/Audio.h"
#include "ext/AudioStream.h"
#include "ext/Headless.h"

using cocos2d::experimental::AudioEngine;

namespace {

// The moment the mixer first put anything but silence into the output, 0 until then.
std::atomic<Uint64> gHeardAt{0};

void noteFirstSound(const int16_t* samples, int frames) {
    if (gHeardAt.load() != 0) {
        return;
    }
    for (int i = 0; i < 2 * frames; ++i) {
        if (samples[i] != 0) {
            gHeardAt = SDL_GetPerformanceCounter();
            return;
        }
    }
}

void effectStartDelay(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    cocos2d::ext::resetAll();
    const std::string effect = writeToneWav("solvane-bench-latency.wav", 0.05f, 3000);
    AudioEngine::stop(AudioEngine::play2d(effect)); // opens the output and decodes the file
    if (cocos2d::ext::isAudioSilent()) {
        state.SkipWithError("SDL's dummy audio driver could not be opened");
        return;
    }
    cocos2d::ext::setAudioOutputTap(noteFirstSound);
    const double ticksPerSecond = static_cast<double>(SDL_GetPerformanceFrequency());
    int round = 0;
    for (auto _ : state) {
        AudioEngine::stopAll();
        // A few silent buffers, then a play at a different point of the output's cycle each time.
        SDL_Delay(static_cast<Uint32>(60 + (round++ * 37) % 50));
        gHeardAt = 0;
        const Uint64 start = SDL_GetPerformanceCounter();
        AudioEngine::play2d(effect);
        for (int wait = 0; wait < 100 && gHeardAt.load() == 0; ++wait) {
            SDL_Delay(1);
        }
        if (gHeardAt.load() == 0) {
            state.SkipWithError("the effect never reached the output");
            break;
        }
        state.SetIterationTime(static_cast<double>(gHeardAt.load() - start) / ticksPerSecond);
    }
    cocos2d::ext::setAudioOutputTap(nullptr);
    AudioEngine::end();
}

} // namespace

BENCHMARK(effectStartDelay)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
