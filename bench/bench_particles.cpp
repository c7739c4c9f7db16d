// Headless cost of one frame (update + draw) with 500 live particles at 1280x720. On a busy machine
// read the CPU column: wall time includes waiting for a core.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "cocos2d.h"
#include "ext/Headless.h"
#include "renderer/TurnedImages.h"

USING_NS_CC;

namespace {

constexpr float kFrameDt = 1.0f / 60;
constexpr int kParticles = 500;

std::string writeSoftDot() {
    const std::string path = (std::filesystem::temp_directory_path() / "solvane-bench-dot.png").string();
    const int size = 32;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_RGBA32);
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float d = std::hypot(x + 0.5f - size / 2.0f, y + 0.5f - size / 2.0f) / (size / 2.0f);
            const Uint8 alpha = static_cast<Uint8>(d >= 1.0f ? 0 : 255 * (1.0f - d));
            pixels[y * surface->pitch / 4 + x] = SDL_MapRGBA(surface->format, 255, 255, 255, alpha);
        }
    }
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return path;
}

// An endless emitter whose pool stays full: 500 particles living 4 s, born at 125 per second.
ValueMap burstDefinition(const std::string& texture, float spin) {
    ValueMap d;
    auto set = [&d](const char* key, float v) { d[key] = Value(v); };
    set("maxParticles", kParticles);
    set("particleLifespan", 4.0f);
    set("duration", -1.0f);
    set("emitterType", 0.0f);
    set("speed", 60.0f);
    set("speedVariance", 40.0f);
    set("angleVariance", 180.0f);
    set("startParticleSize", 28.0f);
    set("finishParticleSize", 8.0f);
    set("startColorRed", 1.0f);
    set("startColorGreen", 0.5f);
    set("startColorBlue", 0.7f);
    set("startColorAlpha", 1.0f);
    set("finishColorRed", 1.0f);
    set("finishColorGreen", 0.9f);
    set("finishColorAlpha", 0.2f);
    set("rotationEnd", spin);
    set("blendFuncSource", 770.0f);
    set("blendFuncDestination", 1.0f);
    set("sourcePositionx", 640.0f);
    set("sourcePositiony", 360.0f);
    d["textureFileName"] = Value(texture);
    return d;
}

void runParticleFrames(benchmark::State& state, const std::string& texture) {
    ext::resetAll();
    ext::startHeadless(1280, 720);
    Director::getInstance()->getOpenGLView()->setDesignResolutionSize(1280, 720, ResolutionPolicy::NO_BORDER);
    Scene* scene = Scene::create();
    Director::getInstance()->runWithScene(scene);
    ValueMap definition = burstDefinition(texture, static_cast<float>(state.range(0)));
    ParticleSystemQuad* system = ParticleSystemQuad::create(definition);
    if (!system) {
        state.SkipWithError("particle system could not be created");
        return;
    }
    scene->addChild(system);
    // Fill the pool: after one lifespan it stays (nearly) full.
    ext::step(kFrameDt, 300);
    for (auto _ : state) {
        ext::step(kFrameDt);
    }
    state.counters["live_particles"] = system->getParticleCount();
    ext::resetAll();
}

// Argument: degrees each particle turns over its life. The software renderer copies unturned
// squares as scaled blits; turned ones are drawn from copies of the texture turned in steps.
void BM_ParticleFrame500(benchmark::State& state) {
    runParticleFrames(state, writeSoftDot());
}
BENCHMARK(BM_ParticleFrame500)->Arg(0)->Arg(360)->Unit(benchmark::kMillisecond);

// The same with the game's own star (64x64, points reaching towards its corners).
void BM_ParticleFrame500Star(benchmark::State& state) {
    runParticleFrames(state, SOLVANE_SOURCE_DIR "/Resources/res/effect/star.png");
}
BENCHMARK(BM_ParticleFrame500Star)->Arg(0)->Arg(360)->Unit(benchmark::kMillisecond);

// What making the turned copies of one texture costs (once per texture, at its first spinning draw).
void BM_TurnedCopies(benchmark::State& state) {
    SDL_Surface* loaded = IMG_Load(SOLVANE_SOURCE_DIR "/Resources/res/effect/star.png");
    SDL_Surface* star = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(loaded);
    if (!star) {
        state.SkipWithError("star.png could not be read");
        return;
    }
    int steps = 0;
    for (auto _ : state) {
        auto copies = TurnedImages::build(star);
        steps = copies ? copies->getSteps() : 0;
    }
    state.counters["steps"] = steps;
    SDL_FreeSurface(star);
}
BENCHMARK(BM_TurnedCopies)->Unit(benchmark::kMillisecond);

// The same frame without the emitter: what clearing and presenting the frame costs by itself.
void BM_EmptyFrame(benchmark::State& state) {
    ext::resetAll();
    ext::startHeadless(1280, 720);
    Director::getInstance()->getOpenGLView()->setDesignResolutionSize(1280, 720, ResolutionPolicy::NO_BORDER);
    Director::getInstance()->runWithScene(Scene::create());
    ext::step(kFrameDt, 2);
    for (auto _ : state) {
        ext::step(kFrameDt);
    }
    ext::resetAll();
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
