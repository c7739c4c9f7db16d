#pragma once
// The shipped Resources, loaded once through the game's own loaders, and the texts they hold,
// for the content tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "data/GameData.h"
#include "data/JsonFile.h"
#include "ext/Log.h"
#include "shell/Constants.h"

namespace content {

// Loads the content beside the test program (bin/Resources links to the source tree's).
inline void loadShippedContent() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    // Every scenario logs its filter while loading; the tests do not need those lines.
    cocos2d::ext::setLogSink([](const std::string&) {});
    GameData::loadAll();
    cocos2d::ext::setLogSink({});
    loaded = true;
}

class ShippedContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() { loadShippedContent(); }
    const CharacterMap& heroines() const { return GameData::viewCharacters(); }
    const ScenarioMap& scenarios() const { return GameData::viewScenarios(); }
};

// What a text is and so which box it must fit.
enum class Box {
    TextBox,   // the play scene's line of text: question, reply, confession line
    Selection, // one answer row
};

struct Text {
    std::string where; // "scenario 12 selection 3 success", for failure messages
    std::string text;
    Box box;
};

// Every scenario text the play can show, empty replies of the fixed forms left out (they are
// never shown: an always-right answer is never judged wrong, and the reverse).
inline std::vector<Text> scenarioTexts(const ScenarioMap& scenarios) {
    std::vector<Text> texts;
    for (const auto& [id, scenario] : scenarios) {
        const std::string at = "scenario " + std::to_string(id);
        texts.push_back({at + " sentence", scenario.sentence, Box::TextBox});
        for (std::size_t k = 0; k < scenario.selections.size(); ++k) {
            const Selection& sel = scenario.selections[k];
            const std::string sat = at + " selection " + std::to_string(k);
            texts.push_back({sat, sel.sentence, Box::Selection});
            if (!sel.success.sentence.empty()) {
                texts.push_back({sat + " success", sel.success.sentence, Box::TextBox});
            }
            if (!sel.failure.sentence.empty()) {
                texts.push_back({sat + " failure", sel.failure.sentence, Box::TextBox});
            }
        }
    }
    return texts;
}

inline std::vector<std::string> tutorialKeys() {
    return {"description1", "description2", "howToPlay",      "descHowToPlay", "fav",
            "descFav",      "confession",   "descConfession", "next",          "toGame"};
}

} // namespace content
