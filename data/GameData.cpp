#include "data/GameData.h"

#include "data/DataPaths.h"

namespace {

// The store's containers, filled once at start-up and kept until exit.
CharacterMap gCharacters;
ScenarioMap gScenarios;
ConfessionMap gConfessions;
CharacterInfoMap gCharacterInfos;
std::string gFileBeingLoaded;
GameData::ScenarioFilters gScenarioFilters;

void indexScenarioFilters() {
    gScenarioFilters.filters.clear();
    gScenarioFilters.scenarios.clear();
    gScenarioFilters.filters.reserve(gScenarios.size());
    gScenarioFilters.scenarios.reserve(gScenarios.size());
    for (const auto& [id, scenario] : gScenarios) {
        gScenarioFilters.filters.push_back(scenario.filter);
        gScenarioFilters.scenarios.push_back(&scenario);
    }
}

} // namespace

namespace GameData {

void loadAll() {
    // Heroines first: nothing else depends on the order, but a failure must leave the later
    // files unread, and start-up reports which file it was.
    gFileBeingLoaded = kCharacterDataPath;
    gCharacters = loadCharacters();
    gFileBeingLoaded = kScenarioDataPath;
    gScenarios = loadScenarios();
    indexScenarioFilters();
    gFileBeingLoaded = kConfessionDataPath;
    gConfessions = loadConfessions();
    gFileBeingLoaded = kCharacterInfoPath;
    gCharacterInfos = loadCharacterInfos();
    gFileBeingLoaded.clear();
}

const std::string& fileBeingLoaded() {
    return gFileBeingLoaded;
}

CharacterMap getCharacters() {
    return gCharacters;
}

ScenarioMap getScenarios() {
    return gScenarios;
}

std::string getCharacterInfo(std::int32_t id) {
    return gCharacterInfos[id];
}

Confession getConfession(std::string target) {
    return gConfessions[target];
}

const CharacterMap& viewCharacters() {
    return gCharacters;
}

const ScenarioMap& viewScenarios() {
    return gScenarios;
}

const ScenarioFilters& viewScenarioFilters() {
    return gScenarioFilters;
}

std::size_t confessionCount() {
    return gConfessions.size();
}

std::size_t characterInfoCount() {
    return gCharacterInfos.size();
}

} // namespace GameData
