#pragma once
// Reading the game's JSON data files and the number rule every loader shares.

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

// Resolves a resource-relative path through FileUtils, opens it and parses the whole stream
// as one strict JSON document. A missing file or malformed content raises the JSON library's
// parse error.
nlohmann::json readJsonFile(const std::string& path);

// A data number as a 32-bit integer: integers as they are, floating-point values truncated
// toward zero, booleans as 0 or 1. Anything else is the library's type error 302 ("type must
// be number, but is ..."). A number outside the 32-bit range, integer or not, is a
// std::out_of_range naming the value rather than a wrapped or undefined conversion.
std::int32_t readInt(const nlohmann::json& value);

// The same for the member `key` of an object (looked up with at()); a number out of range is
// reported with the key in front, so that the start-up message names file and field.
std::int32_t readInt(const nlohmann::json& object, const std::string& key);
