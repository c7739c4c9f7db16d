// Starting a sound effect: the first play decodes, every later play of the same file reuses the chunk.
// Opening a music track for streaming (the loader thread's work before a track starts) and
// decoding it as it plays (the audio thread's work per second of music).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "audio/include/AudioEngine.h"
#include "cocos2d.h"
#include "engine/ToneFile.h"
#include "ext/Audio.h"
#include "ext/AudioStream.h"
#include "ext/Headless.h"

USING_NS_CC;
using experimental::AudioEngine;

namespace {

// A 0.3 s tone burst as a WAV file.
std::string writeEffect() {
    return writeToneWav("solvane-bench-se.wav", 0.3f, 8000);
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

std::string musicTrack() {
    return FileUtils::getInstance()->fullPathForFilename("res/bgm/op.mp3");
}

void BM_OpenStreamedTrack(benchmark::State& state) {
    ext::resetAll();
    ext::startHeadless(1280, 720);
    AudioEngine::lazyInit();
    const std::string track = musicTrack();
    std::string error;
    for (auto _ : state) {
        auto stream = ext::openAudioStream(track, ext::AudioFormat{}, error);
        benchmark::DoNotOptimize(stream.get());
    }
    ext::resetAll();
}
BENCHMARK(BM_OpenStreamedTrack)->Unit(benchmark::kMillisecond);

// What playing a track used to cost the main thread: decoding it whole.
void BM_DecodeTrackWhole(benchmark::State& state) {
    ext::resetAll();
    ext::startHeadless(1280, 720);
    AudioEngine::lazyInit();
    const std::string track = musicTrack();
    std::string error;
    std::vector<int16_t> samples;
    for (auto _ : state) {
        auto stream = ext::openAudioStream(track, ext::AudioFormat{}, error);
        samples.resize(static_cast<size_t>(stream->frameCount()) * 2);
        benchmark::DoNotOptimize(stream->read(samples.data(), static_cast<size_t>(stream->frameCount())));
    }
    ext::resetAll();
}
BENCHMARK(BM_DecodeTrackWhole)->Unit(benchmark::kMillisecond);

// Per second of music; a 512-frame buffer every 11.6 ms is what the audio thread asks for.
void BM_DecodeOneSecondOfMusic(benchmark::State& state) {
    ext::resetAll();
    ext::startHeadless(1280, 720);
    AudioEngine::lazyInit();
    std::string error;
    auto stream = ext::openAudioStream(musicTrack(), ext::AudioFormat{}, error);
    std::vector<int16_t> buffer(512 * 2);
    for (auto _ : state) {
        for (int i = 0; i < 44100 / 512; ++i) {
            if (stream->read(buffer.data(), 512) < 512) {
                stream->seek(0);
            }
        }
    }
    ext::resetAll();
}
BENCHMARK(BM_DecodeOneSecondOfMusic)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
