#pragma once
// The shipped cast and scenarios, loaded once from the source tree's Resources folder, so a
// target can check fuzzed heroines against real questions and fuzzed questions against the
// real cast.

#include "data/CharacterLoader.h"
#include "data/Scenario.h"
#include "ext/Paths.h"

namespace fuzzsupport {

struct ShippedContent {
    CharacterMap characters;
    ScenarioMap scenarios;
};

// Must run before the first writeResource, which moves the resource root for good.
inline const ShippedContent& shippedContent() {
    static const ShippedContent content = [] {
        cocos2d::ext::setResourceRoot(std::string(SOLVANE_SOURCE_DIR) + "/Resources/");
        ShippedContent loaded{loadCharacters(), loadScenarios()};
        cocos2d::ext::setResourceRoot("");
        return loaded;
    }();
    return content;
}

} // namespace fuzzsupport
