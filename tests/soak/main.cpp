// solvane-soak: plays N complete plays in a row through the real scenes on the headless
// backend, with frames and the play's clock advanced together by a large step, and checks
// every score, the best score on the score screen and in the store, and memory growth.
//
//   solvane-soak [--plays N] [--dt SECONDS] [--seed N] [--max-growth-kib K]

#include <tinyxml2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/AppDelegate.h"
#include "base/CCUserDefault.h"
#include "cocos2d.h"
#include "ext/Headless.h"
#include "ext/Log.h"
#include "ext/Paths.h"
#include "shell/TickClock.h"
#include "soak/SoakBot.h"

namespace fs = std::filesystem;
USING_NS_CC;

namespace {

struct Options {
    int plays = 10;
    double dt = 0.1;
    std::uint32_t seed = 1;
    long maxGrowthKiB = 0; // 0: report growth only
};

double gVirtualSeconds = 0.0;

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--plays") {
            options.plays = std::atoi(value);
        } else if (name == "--dt") {
            options.dt = std::atof(value);
        } else if (name == "--seed") {
            options.seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (name == "--max-growth-kib") {
            options.maxGrowthKiB = std::atol(value);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.plays > 0 && options.dt > 0 && options.dt <= 0.5;
}

// The best score as the file on disk holds it, -1 when the file does not say.
int storedBest(const std::string& path) {
    tinyxml2::XMLDocument doc;
    if (doc.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS || !doc.RootElement()) {
        return -1;
    }
    const tinyxml2::XMLElement* best = doc.RootElement()->FirstChildElement("high_score");
    return best && best->GetText() ? std::atoi(best->GetText()) : -1;
}

// A store whose first run already happened, so the logo leads to the title.
std::string prepareStore() {
    std::string folder = (fs::temp_directory_path() / "solvane-soak-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::perror("solvane-soak: mkdtemp");
        std::exit(2);
    }
    ext::setWritablePath(folder);
    UserDefault::getInstance()->setBoolForKey("isFirstTime", true);
    UserDefault::destroyInstance();
    return folder;
}

void printPlay(size_t number, const PlayRecord& p, std::chrono::steady_clock::time_point started) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "play %zu: score %d best %d right %d wrong %d confessions %d/%d frames %ld rss %ld KiB at %.0f s\n",
        number, p.shownScore, p.shownBest, p.rightAnswers, p.wrongAnswers, p.successfulConfessions,
        p.confessions, p.frames, p.rssKiB, seconds);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: solvane-soak [--plays N] [--dt SECONDS<=0.5] [--seed N] [--max-growth-kib K]\n");
        return 2;
    }
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    ext::setLogSink([](const std::string&) {});
    const std::string store = prepareStore();

    setTickSource([] { return static_cast<std::int64_t>(gVirtualSeconds * kTicksPerSecond); });
    // A small frame keeps the software renderer cheap; the scenes lay out in design points.
    ext::startHeadless(320, 180);
    const auto started = std::chrono::steady_clock::now();
    int status = 0;
    {
        AppDelegate app;
        app.initGLContextAttrs();
        if (!app.applicationDidFinishLaunching()) {
            std::fprintf(stderr, "solvane-soak: start-up failed\n");
            return 1;
        }
        SoakBot bot(options.seed, options.dt);
        // A play lasts at most a few minutes of game time even with every bonus.
        const long frameLimit = static_cast<long>(options.plays * 1200.0 / options.dt) + 10000;
        long frame = 0;
        size_t reported = 0;
        const auto& plays = bot.plays();
        while (static_cast<int>(plays.size()) < options.plays && frame < frameLimit) {
            if (!bot.act()) {
                break;
            }
            gVirtualSeconds += options.dt;
            ext::step(static_cast<float>(options.dt));
            ++frame;
            if (plays.size() > reported) {
                reported = plays.size();
                if (reported <= 3 || reported % 25 == 0 || static_cast<int>(reported) == options.plays) {
                    printPlay(reported, plays.back(), started);
                }
            }
        }
        const int onDisk = storedBest(UserDefault::getXMLFilePath());
        if (!bot.failure().empty()) {
            std::printf("FAILED: %s\n", bot.failure().c_str());
            status = 1;
        } else if (static_cast<int>(plays.size()) < options.plays) {
            std::printf("FAILED: only %zu of %d plays finished in %ld frames\n", plays.size(), options.plays,
                        frame);
            status = 1;
        } else if (onDisk != bot.bestSeen()) {
            std::printf("FAILED: the store holds high_score %d, the best play scored %d\n", onDisk,
                        bot.bestSeen());
            status = 1;
        }
        if (!plays.empty()) {
            const long growth = plays.back().rssKiB - plays.front().rssKiB;
            std::printf("rss first play %ld KiB, last play %ld KiB (growth %ld KiB)\n", plays.front().rssKiB,
                        plays.back().rssKiB, growth);
            if (options.maxGrowthKiB > 0 && growth > options.maxGrowthKiB) {
                std::printf("FAILED: memory grew by more than %ld KiB\n", options.maxGrowthKiB);
                status = 1;
            }
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("%zu plays, best %d, %.1f s\n", plays.size(), bot.bestSeen(), seconds);
    }
    ext::resetAll();
    std::error_code ignored;
    fs::remove_all(store, ignored);
    return status;
}
