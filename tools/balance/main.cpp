// solvane-balance [--plays N] [--seed S] [--think SECONDS] [RESOURCE_ROOT]
//
// Loads the content through the game's loaders and plays N rounds per player policy without a
// screen, then prints how fast each heroine reaches her border: always answered right, and
// answered at random. RESOURCE_ROOT defaults to the Resources folder beside the program.

#include <cstdlib>
#include <iostream>
#include <string>

#include "BalanceSim.h"
#include "data/GameData.h"
#include "data/Random.h"
#include "ext/Log.h"
#include "ext/Paths.h"
#include "model/PlayRules.h"

namespace {

int usage() {
    std::cerr << "usage: solvane-balance [--plays N] [--seed S] [--think SECONDS] [RESOURCE_ROOT]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int plays = 2000;
    long seed = -1;
    TimeModel time;
    std::string root;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--plays" && hasValue) {
            plays = std::atoi(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            seed = std::atol(argv[++i]);
        } else if (arg == "--think" && hasValue) {
            time.thinkSeconds = static_cast<float>(std::atof(argv[++i]));
        } else if (!arg.empty() && arg[0] != '-' && root.empty()) {
            root = arg;
        } else {
            return usage();
        }
    }
    if (plays <= 0 || time.thinkSeconds < 0.0f) {
        return usage();
    }
    if (!root.empty()) {
        cocos2d::ext::setResourceRoot(root);
    }
    // getRand logs every draw; a simulation makes millions of them.
    cocos2d::ext::setLogSink([](const std::string&) {});
    if (seed >= 0) {
        setRandSeedClock([seed] { return static_cast<std::uint32_t>(seed); });
    }
    try {
        GameData::loadAll();
    } catch (const std::exception& e) {
        std::cerr << "solvane-balance: " << GameData::fileBeingLoaded() << ": " << e.what() << "\n";
        return 1;
    }
    const PlayerPolicy policies[] = {
        {"always right, never confessing", true, false},
        {"always right, confessing at the border", true, true},
        {"random answers, never confessing", false, false},
        {"random answers, confessing at the border", false, true},
    };
    std::cout << "# Balance over " << GameData::viewCharacters().size() << " heroines and "
              << GameData::viewScenarios().size() << " scenarios (think " << time.thinkSeconds << " s, reply "
              << kReactionSeconds << " s)\n\n";
    for (const PlayerPolicy& policy : policies) {
        std::cout << formatSummary(summarise(policy, time, plays)) << "\n";
    }
    return 0;
}
