#pragma once
// Checks on the loaded content that the loaders themselves do not make, so that a play can
// never reach a question it cannot ask. Start-up runs them right after GameData::loadAll, and
// the solvane-check tool runs the same ones.

#include <stdexcept>
#include <string>
#include <vector>

#include "data/CharacterLoader.h"
#include "data/Scenario.h"

struct ContentProblem {
    std::string file;    // resource-relative data file, e.g. "res/scenario/scenario.json"
    std::string message; // names the scenario id, selection index and heroine where relevant
};

// Problems found, in a stable order (empty = content is playable):
// - a ranged selection whose range cannot be evaluated (range, "min" or "max" not an object,
//   a key missing, a bound not a number or boolean);
// - fewer than three heroines;
// - a heroine that no scenario admits;
// - a heroine admitted by a scenario that offers her no accepted or no rejected selection;
// - a heroine without parameters admitted by a scenario that has a ranged selection.
std::vector<ContentProblem> validateContent(const CharacterMap& characters, const ScenarioMap& scenarios);

// The same over what GameData holds.
std::vector<ContentProblem> validateContent();

// A start-up content failure: the file and the message, what() = "<file>: <message>".
class ContentError : public std::runtime_error {
public:
    ContentError(std::string file, const std::string& message);
    const std::string& file() const { return _file; }

private:
    std::string _file;
};

// Throws ContentError for the first problem validateContent() finds (logging every problem
// first), so start-up can report it and stop.
void requireValidContent();

// One line "<file>: <message>" per problem.
std::string describeProblems(const std::vector<ContentProblem>& problems);
