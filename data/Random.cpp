#include "data/Random.h"

#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "base/CCConsole.h"
#include "data/GameData.h"

namespace {

bool gSeeded = false;
std::function<std::uint32_t()> gSeedClock;
std::function<std::uint32_t()> gSource;

std::uint32_t secondsSince1970() {
    if (gSeedClock) {
        return gSeedClock();
    }
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace

std::uint32_t getRand(std::uint32_t count) {
    if (count == 0) {
        throw std::invalid_argument("getRand: nothing to choose from (count is 0)");
    }
    if (!gSeeded && !gSource) {
        std::srand(secondsSince1970());
        gSeeded = true;
    }
    const std::uint32_t drawn = gSource ? gSource() : static_cast<std::uint32_t>(std::rand());
    const std::uint32_t index = drawn % count;
    cocos2d::log("getRand: %d", static_cast<int>(index));
    return index;
}

void resetRandSeeding() {
    gSeeded = false;
}

void setRandSeedClock(std::function<std::uint32_t()> clock) {
    gSeedClock = std::move(clock);
}

void setRandSource(std::function<std::uint32_t()> source) {
    gSource = std::move(source);
}

Scenario pickScenario(Character character) {
    // Walk the store's filter index rather than a copy of every scenario: the copy would cost
    // far more than the filters themselves.
    const GameData::ScenarioFilters& index = GameData::viewScenarioFilters();
    std::vector<const Scenario*> admitted;
    for (std::size_t i = 0; i < index.filters.size(); ++i) {
        if (index.filters[i](character)) {
            admitted.push_back(index.scenarios[i]);
        }
    }
    if (admitted.empty()) {
        throw std::runtime_error("pickScenario: no scenario admits " + character.name);
    }
    return *admitted[getRand(static_cast<std::uint32_t>(admitted.size()))];
}

std::pair<Selection, Selection> pickSelectionPair(const std::vector<Selection>& selections,
                                                  const Character& character) {
    std::vector<const Selection*> accepted;
    std::vector<const Selection*> rejected;
    for (const auto& selection : selections) {
        (selection.judge(character) ? accepted : rejected).push_back(&selection);
    }
    if (accepted.empty() || rejected.empty()) {
        throw std::runtime_error("pickSelectionPair: " + character.name + " has no " +
                                 (accepted.empty() ? "accepted" : "rejected") + " selection");
    }
    const std::uint32_t a = getRand(static_cast<std::uint32_t>(accepted.size()));
    const std::uint32_t r = getRand(static_cast<std::uint32_t>(rejected.size()));
    return {*accepted[a], *rejected[r]};
}
