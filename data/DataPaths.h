#pragma once
// The data files, as resource paths. Inline variables: one object for the whole program, ready
// before any static object defined after the include, so loaders may read them at start-up.

#include <string>

inline const std::string kCharacterDataPath = "res/gal/gal_data.json";
inline const std::string kCharacterInfoPath = "res/gal/gal_info.json";
inline const std::string kScenarioDataPath = "res/scenario/scenario.json";
inline const std::string kConfessionDataPath = "res/confession/confession.json";
inline const std::string kTutorialStringsPath = "res/tutorial/strings.json";
