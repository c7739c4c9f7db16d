#pragma once
// Answer verdicts: does a selection suit the heroine?

#include <array>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "data/Character.h"

// The range verdict: accepted when every parameter lies within [min, max] of the range object
// {"min": {...13 numbers}, "max": {...}}, both bounds inclusive, keys tested in
// kParameterKeys order with an early exit at the first one outside.
//
// The range is checked only when the verdict is asked: a missing bound or a non-numeric one
// raises the JSON library's error for the first key reached, and a heroine without that
// parameter raises std::out_of_range from the map lookup. A well-formed range is converted
// once up front; the answers and the order of lookups are the same either way.
class RangeVerdict {
public:
    explicit RangeVerdict(nlohmann::json range);
    bool operator()(const Character& h) const;
    const nlohmann::json& range() const { return _range; }
    // Whether every bound could be read up front (then no heroine with all parameters can
    // make this verdict raise).
    bool complete() const { return _converted; }

private:
    bool evaluateJson(const Character& h) const;

    nlohmann::json _range;
    bool _converted = false;
    std::array<std::int32_t, 13> _min{};
    std::array<std::int32_t, 13> _max{};
};

CharacterPredicate makeRangeVerdict(nlohmann::json range);
CharacterPredicate alwaysRight();
CharacterPredicate alwaysWrong();

// The answer of a fixed verdict, as a type that validation can recognise.
struct FixedVerdict {
    bool answer;
    bool operator()(const Character&) const { return answer; }
};
