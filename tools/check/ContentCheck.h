#pragma once
// The checks solvane-check runs over a resource root; each appends ContentProblem records.

#include <optional>
#include <vector>

#include "data/CharacterLoader.h"
#include "data/Confession.h"
#include "data/ContentValidation.h"
#include "data/Scenario.h"

// What the four start-up files gave; a file that failed to load stays empty.
struct LoadedContent {
    std::optional<CharacterMap> characters;
    std::optional<ScenarioMap> scenarios;
    std::optional<ConfessionMap> confessions;
    std::optional<CharacterInfoMap> infos;
    bool complete() const { return characters && scenarios && confessions && infos; }
};

using Problems = std::vector<ContentProblem>;

// Loads the four data files through the game's loaders, in start-up order, one problem per
// file that fails; then, when all loaded, the start-up validation.
LoadedContent checkDataFiles(Problems& problems);

// The tutorial strings file: an object with every page text as a string.
void checkTutorialStrings(Problems& problems);

// The folder the checked paths are relative to (with a trailing slash).
void setCheckRoot(const std::string& root);
const std::string& checkRoot();

// "" when `path` names a readable regular file under the resource root, else why not.
std::string fileProblem(const std::string& path);

// Every picture, track and particle definition the data and the scenes name exists.
void checkMedia(const LoadedContent& content, Problems& problems);

// Every character the texts use is in the label font.
void checkFontCoverage(const LoadedContent& content, Problems& problems);
