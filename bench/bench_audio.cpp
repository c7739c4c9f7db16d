// Starting a sound effect: the first play decodes, every later play of the same file reuses the chunk.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "audio/include/AudioEngine.h"
#include "cocos2d.h"
#include "ext/Audio.h"
#include "ext/Headless.h"

USING_NS_CC;
using experimental::AudioEngine;

namespace {

// A 0.3 s 16-bit stereo tone burst as a WAV file.
std::string writeEffect() {
    const std::string path = (std::filesystem::temp_directory_path() / "solvane-bench-se.wav").string();
    const uint32_t rate = 44100, frames = rate * 3 / 10, bytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    u32(36 + bytes);
    out << "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(rate);
    u32(rate * 4);
    u16(4);
    u16(16);
    out << "data";
    u32(bytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const int16_t sample = static_cast<int16_t>((i / 50) % 2 ? 8000 : -8000);
        u16(static_cast<uint16_t>(sample));
        u16(static_cast<uint16_t>(sample));
    }
    return path;
}

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
