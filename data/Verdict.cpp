#include "data/Verdict.h"

#include "data/CharacterLoader.h"
#include "data/JsonFile.h"

namespace {

// True when every bound of the range can be read; only then is the fast path taken.
bool convertBounds(const nlohmann::json& range, std::array<std::int32_t, 13>& lo,
                   std::array<std::int32_t, 13>& hi) {
    if (!range.is_object() || !range.contains("min") || !range.contains("max")) {
        return false;
    }
    const auto& min = range["min"];
    const auto& max = range["max"];
    if (!min.is_object() || !max.is_object()) {
        return false;
    }
    for (std::size_t i = 0; i < lo.size(); ++i) {
        const char* key = kParameterKeys[i];
        if (!min.contains(key) || !max.contains(key)) {
            return false;
        }
        const auto& a = min[key];
        const auto& b = max[key];
        if (!(a.is_number() || a.is_boolean()) || !(b.is_number() || b.is_boolean())) {
            return false;
        }
        try {
            lo[i] = readInt(a);
            hi[i] = readInt(b);
        } catch (const std::exception&) {
            return false; // out of range: leave it to the evaluation to report
        }
    }
    return true;
}

} // namespace

RangeVerdict::RangeVerdict(nlohmann::json range) : _range(std::move(range)) {
    _converted = convertBounds(_range, _min, _max);
}

bool RangeVerdict::operator()(const Character& h) const {
    if (!_converted) {
        return evaluateJson(h);
    }
    for (std::size_t i = 0; i < _min.size(); ++i) {
        const std::int32_t v = h.parameter.at(kParameterKeys[i]);
        if (_min[i] > v || v > _max[i]) {
            return false;
        }
    }
    return true;
}

// The range read afresh for every key, "min" before "max", so a defect raises the library's
// error for the first key the heroine reaches and none after her first failing key.
bool RangeVerdict::evaluateJson(const Character& h) const {
    for (const char* key : kParameterKeys) {
        const std::int32_t lo = readInt(_range.at("min").at(key));
        const std::int32_t hi = readInt(_range.at("max").at(key));
        const std::int32_t v = h.parameter.at(key);
        if (lo > v || v > hi) {
            return false;
        }
    }
    return true;
}

CharacterPredicate makeRangeVerdict(nlohmann::json range) {
    return RangeVerdict(std::move(range));
}

CharacterPredicate alwaysRight() {
    return FixedVerdict{true};
}

CharacterPredicate alwaysWrong() {
    return FixedVerdict{false};
}
