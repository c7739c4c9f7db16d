#pragma once
// Questions (scenarios), their candidate answers (selections) and the heroine's replies,
// and the scenario data file.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "data/Character.h"

struct Reaction {
    std::string sentence;
    Emotion emotion = Emotion::Normal;
    // The scenario the conversation continues with; -1 ends a chain. Only the end of a chain
    // matters to the play (it earns a bonus); it never jumps to the named scenario.
    std::int32_t next = -1;
};

// The reply used for "success"/"failure": null, and for a key the selection leaves out.
// They differ only in `next`: a left-out success reply does not end a chain.
Reaction nullReaction();   // "", Normal, -1
Reaction absentReaction(); // "", Normal, 0

struct Selection {
    std::string sentence;
    CharacterPredicate judge; // true when this answer suits the heroine; always callable once loaded
    Reaction success;
    Reaction failure;
};

struct Scenario {
    std::int32_t id = 0;
    std::string sentence;
    CharacterPredicate filter; // which heroines this question may be asked of
    std::string background;
    std::string bgm;
    Emotion emotion = Emotion::Normal;
    std::vector<Selection> selections;
};

using ScenarioMap = std::map<std::int32_t, Scenario>;

// One scenario object: "id", "sentence", "range" (the filter object), "background", "bgm",
// "emotion", "selections", read in that order. Writes one filter log line.
Scenario parseScenario(nlohmann::json obj);

// The value of "selections": an array (null gives none). A selection is ranged when it has a
// "range" member; otherwise "success" present with "failure" null is always right, "failure"
// present with "success" null always wrong, and anything else is the runtime error
// "Unreachable Error".
std::vector<Selection> parseSelections(nlohmann::json value);

// A reply object: "sentence", "emotion", and "nextScenarioID" only when readNext is true
// (otherwise next is -1).
Reaction parseReaction(nlohmann::json obj, bool readNext);

// kScenarioDataPath: id -> scenario; a later element with the same id wins.
ScenarioMap loadScenarios();
