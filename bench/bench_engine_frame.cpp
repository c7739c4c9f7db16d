// Headless frame cost (update + draw) of a typical screen, and how often labels re-rasterise.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cocos2d.h"
#include "ext/Headless.h"

USING_NS_CC;

namespace {
constexpr float kFrameDt = 1.0f / 60;

std::string fontPath() {
    const char* candidates[] = {SOLVANE_SOURCE_DIR "/Resources/fonts/NotoSans/NotoSansCJKjp-Regular.otf",
                                "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"};
    for (const char* path : candidates) {
        if (std::filesystem::exists(path)) {
            return path;
        }
    }
    return candidates[1];
}

// A gradient image (so the background is a real texture, not a flat fill) with some transparency
// when asked for, written once into the temp folder.
std::string writeImage(const std::string& name, int w, int h, bool translucent) {
    std::string path = (std::filesystem::temp_directory_path() / ("solvane-bench-" + name)).string();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    auto* pixels = static_cast<Uint32*>(surface->pixels);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Uint8 a = translucent ? static_cast<Uint8>((x + y) * 255 / (w + h)) : 255;
            pixels[y * (surface->pitch / 4) + x] = SDL_MapRGBA(
                surface->format, static_cast<Uint8>(x * 255 / w), static_cast<Uint8>(y * 255 / h), 128, a);
        }
    }
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return path;
}

struct TypicalScreen {
    Scene* scene = nullptr;
    std::vector<Label*> labels;
};

// One full-screen background, 10 sprites (some turned, scaled or faded) and 5 labels, one outlined.
TypicalScreen buildScreen() {
    ext::resetAll();
    ext::setLogSink([](const std::string&) {});
    ext::startHeadless(1280, 720);
    Director::getInstance()->getOpenGLView()->setDesignResolutionSize(1280, 720, ResolutionPolicy::NO_BORDER);
    TypicalScreen screen;
    screen.scene = Scene::create();
    Sprite* background = Sprite::create(writeImage("bg.png", 1280, 720, false));
    background->setPosition(640, 360);
    screen.scene->addChild(background, -1);
    std::string spritePath = writeImage("sprite.png", 128, 128, true);
    for (int i = 0; i < 10; ++i) {
        Sprite* sprite = Sprite::create(spritePath);
        sprite->setPosition(100.0f + i * 110.0f, 200.0f + (i % 3) * 150.0f);
        sprite->setRotation(i * 17.0f);
        sprite->setScale(0.8f + (i % 4) * 0.2f);
        sprite->setOpacity(static_cast<GLubyte>(155 + i * 10));
        screen.scene->addChild(sprite);
    }
    const char* texts[] = {"スコア 12345", "Solvane", "きみの答えは？", "Time 00:42", "ベストスコア"};
    for (int i = 0; i < 5; ++i) {
        Label* label = Label::createWithTTF(texts[i], fontPath(), 36);
        label->setPosition(640, 650.0f - i * 70.0f);
        if (i == 0) {
            label->enableOutline(Color4B::BLACK, 3);
        }
        screen.scene->addChild(label, 1);
        screen.labels.push_back(label);
    }
    Director::getInstance()->runWithScene(screen.scene);
    ext::step(kFrameDt, 3); // enter, rasterise, upload
    return screen;
}

void BM_HeadlessFrame(benchmark::State& state) {
    buildScreen();
    long long rendersBefore = ext::labelRenderCount();
    for (auto _ : state) {
        Director::getInstance()->mainLoop(kFrameDt);
    }
    state.counters["label_rerenders_per_frame"] =
        benchmark::Counter(static_cast<double>(ext::labelRenderCount() - rendersBefore) /
                           static_cast<double>(state.iterations()));
    ext::resetAll();
}
BENCHMARK(BM_HeadlessFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One label shows a new number every frame; the other four never change.
void BM_HeadlessFrameWithChangingLabel(benchmark::State& state) {
    TypicalScreen screen = buildScreen();
    std::vector<int> rendersBefore;
    for (Label* label : screen.labels) {
        rendersBefore.push_back(label->getRenderCount());
    }
    int value = 0;
    for (auto _ : state) {
        screen.labels[3]->setString("Time " + std::to_string(++value));
        Director::getInstance()->mainLoop(kFrameDt);
    }
    double frames = static_cast<double>(state.iterations());
    state.counters["changing_rerenders_per_frame"] =
        (screen.labels[3]->getRenderCount() - rendersBefore[3]) / frames;
    int unchanged = 0;
    for (size_t i = 0; i < screen.labels.size(); ++i) {
        if (i != 3) {
            unchanged += screen.labels[i]->getRenderCount() - rendersBefore[i];
        }
    }
    state.counters["unchanged_rerenders_total"] = unchanged;
    ext::resetAll();
}
BENCHMARK(BM_HeadlessFrameWithChangingLabel)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The play's focus lines: a 1280x1280 see-through picture scaled 1.2 and turning a little every
// frame over a background, the largest turned picture the game draws.
void BM_TurningFocusLinesFrame(benchmark::State& state) {
    ext::resetAll();
    ext::setLogSink([](const std::string&) {});
    ext::startHeadless(1280, 720);
    Director::getInstance()->getOpenGLView()->setDesignResolutionSize(1280, 720, ResolutionPolicy::NO_BORDER);
    Scene* scene = Scene::create();
    Sprite* background = Sprite::create(writeImage("bg.png", 1280, 720, false));
    background->setPosition(640, 360);
    scene->addChild(background, -1);
    Sprite* lines = Sprite::create(SOLVANE_SOURCE_DIR "/Resources/res/shuchu.png");
    if (!lines) {
        state.SkipWithError("the focus lines picture is missing");
        return;
    }
    lines->setPosition(640, 360);
    lines->setScale(1.2f);
    scene->addChild(lines);
    Director::getInstance()->runWithScene(scene);
    ext::step(kFrameDt, 3);
    float angle = 0.0f;
    for (auto _ : state) {
        angle += 7.0f;
        lines->setRotation(angle);
        Director::getInstance()->mainLoop(kFrameDt);
    }
    ext::resetAll();
}
BENCHMARK(BM_TurningFocusLinesFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
