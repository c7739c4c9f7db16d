// solvane-shot: runs the real start-up on the headless backend, feeds a scripted sequence of
// inputs, advances frames and the play's clock together at 60 fps and writes PNG captures.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>

#include "FrameStats.h"
#include "ShotScript.h"
#include "app/AppDelegate.h"
#include "cocos2d.h"
#include "data/Random.h"
#include "ext/Headless.h"
#include "ext/Input.h"
#include "ext/Paths.h"
#include "shell/TickClock.h"

namespace fs = std::filesystem;
USING_NS_CC;

namespace {

constexpr int kFrameWidth = 1280;
constexpr int kFrameHeight = 720;
constexpr double kFrameSeconds = 1.0 / 60.0;

// The play's clock, advanced by exactly one frame's time before each frame.
double gVirtualSeconds = 0.0;
// Wall time of each frame's input, update and draw; screenshots are written outside it.
FrameStats gFrameStats;

void runFrame() {
    gVirtualSeconds += kFrameSeconds;
    const Scene* before = Director::getInstance()->getRunningScene();
    const auto start = std::chrono::steady_clock::now();
    ext::step(static_cast<float>(kFrameSeconds));
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    gFrameStats.add(ms, Director::getInstance()->getRunningScene() != before);
}

EventKeyboard::KeyCode keyCodeFor(const std::string& key) {
    if (key == "up")
        return EventKeyboard::KeyCode::KEY_UP_ARROW;
    if (key == "down")
        return EventKeyboard::KeyCode::KEY_DOWN_ARROW;
    if (key == "space")
        return EventKeyboard::KeyCode::KEY_SPACE;
    if (key == "enter")
        return EventKeyboard::KeyCode::KEY_ENTER;
    return EventKeyboard::KeyCode::KEY_ESCAPE;
}

std::string freshStoreFolder() {
    // A new folder per run, so a leftover store never changes what the pictures show.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = fs::temp_directory_path() / ("solvane-shot-" + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(folder, ec)) {
            return folder.string();
        }
    }
    return (fs::temp_directory_path() / "solvane-shot").string();
}

bool runStep(const ShotStep& step, const fs::path& out) {
    switch (step.kind) {
    case ShotStep::Kind::Wait: {
        const long frames = std::lround(step.seconds / kFrameSeconds);
        for (long i = 0; i < frames; ++i) {
            runFrame();
        }
        return true;
    }
    case ShotStep::Kind::Key:
        ext::keyPress(keyCodeFor(step.key));
        runFrame();
        return true;
    case ShotStep::Kind::Click:
        ext::click(Vec2(step.x, step.y));
        runFrame();
        return true;
    case ShotStep::Kind::Shot: {
        const fs::path file = out / (step.name + ".png");
        if (!ext::saveFrame(file.string())) {
            std::cerr << "solvane-shot: cannot write " << file.string() << "\n";
            return false;
        }
        return true;
    }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = parseShotArgs(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "solvane-shot: " << error << "\n" << kShotUsage;
        return 2;
    }
    std::error_code ec;
    fs::create_directories(options->out, ec);

    if (!options->resources.empty()) {
        ext::setResourceRoot(fs::absolute(options->resources).string());
    }
    if (!options->userStore) {
        const std::string store = options->store.empty() ? freshStoreFolder() : options->store;
        fs::create_directories(store, ec);
        ext::setWritablePath(fs::absolute(store).string());
    }
    if (options->seed) {
        auto generator = std::make_shared<std::minstd_rand>(*options->seed);
        setRandSource([generator] { return static_cast<std::uint32_t>((*generator)()); });
    }

    setTickSource([] { return static_cast<std::int64_t>(gVirtualSeconds * kTicksPerSecond); });
    ext::startHeadless(kFrameWidth, kFrameHeight);

    AppDelegate app;
    app.initGLContextAttrs();
    if (!app.applicationDidFinishLaunching()) {
        return 1;
    }
    // The first frame shows the logo, as the window would.
    runFrame();
    for (const auto& step : options->steps) {
        if (!runStep(step, options->out)) {
            return 1;
        }
    }
    if (options->frameStats) {
        std::cout << gFrameStats.settledSummary() << "\n" << gFrameStats.summary() << std::endl;
    }
    return 0;
}
