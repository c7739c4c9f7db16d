#pragma once
// The start-up data store: every heroine, scenario, confession text and heroine profile text,
// loaded once and then only read. Callers get copies and may change them freely.

#include <cstdint>
#include <string>
#include <vector>

#include "data/CharacterLoader.h"
#include "data/Confession.h"
#include "data/Scenario.h"

namespace GameData {

// Loads heroines, scenarios, confessions and profile texts, in that order, each replacing its
// container whole. The first error (the JSON library's, or an unknown emotion) propagates and
// the remaining files are not read.
void loadAll();

// The data file loadAll was reading when it failed; empty after a complete load.
const std::string& fileBeingLoaded();

CharacterMap getCharacters();
ScenarioMap getScenarios();

// A missing id or target is entered with an empty value, and that value is returned.
std::string getCharacterInfo(std::int32_t id);
Confession getConfession(std::string target);

// Read-only views for the picks and validation, which must not copy the whole store on every
// call. Do not keep these references beyond the call that asked for them.
const CharacterMap& viewCharacters();
const ScenarioMap& viewScenarios();
std::size_t confessionCount();
std::size_t characterInfoCount();

// Every scenario's filter in ascending id order, beside its scenario. The filters are copies
// laid out together so that a pick walking thousands of them stays in cache; rebuilt by
// loadAll whenever the scenarios are.
struct ScenarioFilters {
    std::vector<CharacterPredicate> filters;
    std::vector<const Scenario*> scenarios;
};
const ScenarioFilters& viewScenarioFilters();

} // namespace GameData
