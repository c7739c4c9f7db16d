#pragma once
// Scenario filters: which heroines a scenario may be asked of.

#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "data/Character.h"

// The filter kinds as callables, so that content validation can tell them apart inside a
// CharacterPredicate (std::function::target).
struct AnyFilter {
    bool operator()(const Character&) const { return true; }
};

struct PersonalFilter {
    std::string name;
    bool operator()(const Character& h) const { return h.name == name; }
};

struct AttributeFilter {
    std::vector<std::string> attributes; // accepted when she has any one of them
    bool operator()(const Character& h) const;
};

// Builds the filter of one scenario from its "range" object:
//   {"type": "Any"}                          -> everyone, logs "loadFilter: Any"
//   {"type": "Personal", "personal": name}   -> that name only, logs "loadFilter: Personal(%s)"
//   {"type": "Attribute", "attributes": [..]} -> any listed attribute, logs "loadFilter: Attributes"
// A null "type", "personal" or "attributes", or any other type value, falls back to everyone
// with "loadFilter: Failed to load filter". Missing keys and wrong types are the JSON
// library's errors.
CharacterPredicate loadFilter(nlohmann::json obj);
