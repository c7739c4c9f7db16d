#include "data/Scenario.h"

#include <stdexcept>

#include "data/DataPaths.h"
#include "data/Filter.h"
#include "data/JsonFile.h"
#include "data/Verdict.h"

Reaction nullReaction() {
    return Reaction{"", Emotion::Normal, -1};
}

Reaction absentReaction() {
    return Reaction{"", Emotion::Normal, 0};
}

Reaction parseReaction(nlohmann::json obj, bool readNext) {
    Reaction r;
    r.sentence = obj.at("sentence").get<std::string>();
    r.emotion = toEmotion(obj.at("emotion").get<std::string>());
    r.next = readNext ? readInt(obj, "nextScenarioID") : -1;
    return r;
}

namespace {

// The range is moved into its verdict: nothing reads it from the element afterwards.
CharacterPredicate chooseJudge(nlohmann::json& element) {
    if (element.contains("range")) {
        return makeRangeVerdict(std::move(element.at("range")));
    }
    if (element.contains("success") && element.at("failure").is_null()) {
        return alwaysRight();
    }
    if (element.contains("failure") && element.at("success").is_null()) {
        return alwaysWrong();
    }
    throw std::runtime_error("Unreachable Error");
}

// A reply key: left out gives the absent reply, null the null reply, an object its reply.
Reaction readReply(const nlohmann::json& element, const char* key, bool readNext) {
    if (!element.contains(key)) {
        return absentReaction();
    }
    const nlohmann::json& value = element.at(key);
    if (value.is_null()) {
        return nullReaction();
    }
    return parseReaction(value, readNext);
}

} // namespace

std::vector<Selection> parseSelections(nlohmann::json value) {
    std::vector<Selection> selections;
    for (auto& element : value) {
        Selection s;
        s.sentence = element.at("sentence").get<std::string>();
        s.judge = chooseJudge(element);
        s.success = readReply(element, "success", true);
        s.failure = readReply(element, "failure", false);
        selections.push_back(std::move(s));
    }
    return selections;
}

Scenario parseScenario(nlohmann::json obj) {
    Scenario s;
    s.id = readInt(obj, "id");
    s.sentence = obj.at("sentence").get<std::string>();
    s.filter = loadFilter(std::move(obj.at("range")));
    s.background = obj.at("background").get<std::string>();
    s.bgm = obj.at("bgm").get<std::string>();
    s.emotion = toEmotion(obj.at("emotion").get<std::string>());
    s.selections = parseSelections(std::move(obj.at("selections")));
    return s;
}

ScenarioMap loadScenarios() {
    ScenarioMap scenarios;
    nlohmann::json document = readJsonFile(kScenarioDataPath);
    for (auto& element : document) {
        const std::int32_t id = readInt(element, "id");
        // The element is not read again, so it is handed over instead of copied.
        scenarios[id] = parseScenario(std::move(element));
    }
    return scenarios;
}
