// Starting a sound effect: the first play decodes, every later play of the same file reuses the chunk.
#include <benchmark/benchmark.h>

#include <string>

#include "audio/include/AudioEngine.h"
#include "cocos2d.h"
#include "ext/Audio.h"
#include "ext/Headless.h"
#include "engine/ToneFile.h"

USING_NS_CC;
using experimental::AudioEngine;

namespace {

// A 0.3 s tone burst as a WAV file.
std::string writeEffect() { return writeToneWav("solvane-bench-se.wav", 0.3f, 8000); }

void BM_PlayCachedEffect(benchmark::State& state) {
    ext::resetAll();
    ext::startHeadless(1280, 720);
    const std::string effect = writeEffect();
    const int decodesBefore = ext::audioDecodeCount();
    AudioEngine::stop(AudioEngine::play2d(effect)); // the one decode
    for (auto _ : state) {
        const int id = AudioEngine::play2d(effect);
        benchmark::DoNotOptimize(id);
        AudioEngine::stop(id);
    }
    state.counters["decodes"] = ext::audioDecodeCount() - decodesBefore;
    state.counters["plays"] = static_cast<double>(state.iterations() + 1);
    ext::resetAll();
}
BENCHMARK(BM_PlayCachedEffect)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
