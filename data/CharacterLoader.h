#pragma once
// The heroine data file and the heroine profile texts.

#include <cstdint>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "data/Character.h"

using CharacterMap = std::map<std::int32_t, Character>;
using CharacterInfoMap = std::map<std::int32_t, std::string>;

// The parameter keys in the order they are read and tested. "S" is a capital letter.
extern const char* const kParameterKeys[13];

// One heroine object: "id", "border", "file", "attribute" (objects with "name"), "name",
// "me", "you", "parameter" (the thirteen numbers, or null: logged as "%s's parameter is null"
// and left empty). Every key is required; errors are the JSON library's.
Character parseCharacter(nlohmann::json obj);

// kCharacterDataPath: id -> heroine; a later element with the same id wins.
CharacterMap loadCharacters();

// kCharacterInfoPath: id -> profile text ("id", "info"); a later element with the same id wins.
CharacterInfoMap loadCharacterInfos();
