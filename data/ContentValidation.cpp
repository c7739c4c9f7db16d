#include "data/ContentValidation.h"

#include <utility>

#include "base/CCConsole.h"
#include "data/DataPaths.h"
#include "data/GameData.h"
#include "data/JsonFile.h"
#include "data/Verdict.h"

namespace {

constexpr std::size_t kMinimumHeroines = 3; // a play deals three heroines at once

// Why a range cannot be evaluated for every heroine, or "" when it can.
std::string rangeDefect(const nlohmann::json& range) {
    if (!range.is_object()) {
        return std::string("range is ") + range.type_name() + ", not an object";
    }
    for (const char* bound : {"min", "max"}) {
        if (!range.contains(bound)) {
            return std::string("range has no \"") + bound + "\"";
        }
        const auto& values = range[bound];
        if (!values.is_object()) {
            return std::string("\"") + bound + "\" is " + values.type_name() + ", not an object";
        }
        for (const char* key : kParameterKeys) {
            const std::string where = std::string("\"") + bound + "\" key \"" + key + "\"";
            if (!values.contains(key)) {
                return where + " is missing";
            }
            const auto& value = values[key];
            if (!value.is_number() && !value.is_boolean()) {
                return where + " is " + value.type_name() + ", not a number";
            }
            try {
                readInt(value);
            } catch (const std::exception& e) {
                return where + ": " + e.what();
            }
        }
    }
    return "";
}

std::string selectionName(const Scenario& s, std::size_t index) {
    return "scenario " + std::to_string(s.id) + ", selection " + std::to_string(index);
}

std::string heroineName(const Character& h) {
    return "heroine " + std::to_string(h.id) + " (" + h.name + ")";
}

bool hasRangedSelection(const Scenario& s) {
    for (const auto& selection : s.selections) {
        if (selection.judge.target<RangeVerdict>() != nullptr) {
            return true;
        }
    }
    return false;
}

// Reports every unusable range; returns whether the scenario's ranges are all sound.
bool checkRanges(const Scenario& s, std::vector<ContentProblem>& problems) {
    bool sound = true;
    for (std::size_t i = 0; i < s.selections.size(); ++i) {
        const auto* verdict = s.selections[i].judge.target<RangeVerdict>();
        if (verdict == nullptr || verdict->complete()) {
            continue;
        }
        const std::string defect = rangeDefect(verdict->range());
        if (!defect.empty()) {
            problems.push_back({kScenarioDataPath, selectionName(s, i) + ": " + defect});
            sound = false;
        }
    }
    return sound;
}

// Can this admitted heroine be asked this scenario: one answer she accepts and one she rejects?
void checkAnswers(const Scenario& s, const Character& h, std::vector<ContentProblem>& problems) {
    const auto where = [&] { return "scenario " + std::to_string(s.id) + " admits " + heroineName(h); };
    if (h.parameter.size() != sizeof(kParameterKeys) / sizeof(kParameterKeys[0]) && hasRangedSelection(s)) {
        problems.push_back(
            {kScenarioDataPath, where() + ", who has no parameters, but has ranged selections"});
        return;
    }
    std::size_t accepted = 0;
    for (const auto& selection : s.selections) {
        accepted += selection.judge(h) ? 1 : 0;
    }
    if (accepted == 0) {
        problems.push_back({kScenarioDataPath, where() + " but offers her no accepted selection"});
    } else if (accepted == s.selections.size()) {
        problems.push_back({kScenarioDataPath, where() + " but offers her no rejected selection"});
    }
}

} // namespace

std::vector<ContentProblem> validateContent(const CharacterMap& characters, const ScenarioMap& scenarios) {
    std::vector<ContentProblem> problems;
    // Scenarios in id order, each with whether all its verdicts can be evaluated.
    std::vector<std::pair<const Scenario*, bool>> checked;
    checked.reserve(scenarios.size());
    for (const auto& [id, scenario] : scenarios) {
        checked.emplace_back(&scenario, checkRanges(scenario, problems));
    }
    if (characters.size() < kMinimumHeroines) {
        problems.push_back({kCharacterDataPath, std::to_string(characters.size()) +
                                                    " heroines; a play needs at least " +
                                                    std::to_string(kMinimumHeroines)});
    }
    for (const auto& [id, heroine] : characters) {
        bool admitted = false;
        for (const auto& [scenario, sound] : checked) {
            if (!scenario->filter(heroine)) {
                continue;
            }
            admitted = true;
            if (sound) {
                checkAnswers(*scenario, heroine, problems);
            }
        }
        if (!admitted) {
            problems.push_back({kScenarioDataPath, "no scenario admits " + heroineName(heroine)});
        }
    }
    return problems;
}

std::vector<ContentProblem> validateContent() {
    return validateContent(GameData::viewCharacters(), GameData::viewScenarios());
}

ContentError::ContentError(std::string file, const std::string& message)
    : std::runtime_error(file + ": " + message), _file(std::move(file)) {}

void requireValidContent() {
    const auto problems = validateContent();
    for (const auto& problem : problems) {
        cocos2d::log("content: %s: %s", problem.file.c_str(), problem.message.c_str());
    }
    if (!problems.empty()) {
        std::string message = problems.front().message;
        if (problems.size() > 1) {
            message += " (and " + std::to_string(problems.size() - 1) + " more problems)";
        }
        throw ContentError(problems.front().file, message);
    }
}

std::string describeProblems(const std::vector<ContentProblem>& problems) {
    std::string text;
    for (const auto& problem : problems) {
        text += problem.file + ": " + problem.message + "\n";
    }
    return text;
}
