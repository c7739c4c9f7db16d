#include "data/Filter.h"

#include "base/CCConsole.h"

bool AttributeFilter::operator()(const Character& h) const {
    for (const auto& name : attributes) {
        if (h.attribute.count(name) != 0) {
            return true;
        }
    }
    return false;
}

namespace {

CharacterPredicate fallBack() {
    cocos2d::log("loadFilter: Failed to load filter");
    return AnyFilter{};
}

} // namespace

CharacterPredicate loadFilter(nlohmann::json obj) {
    const nlohmann::json type = obj.at("type");
    if (type.is_null()) {
        return fallBack();
    }
    if (type == "Any") {
        cocos2d::log("loadFilter: Any");
        return AnyFilter{};
    }
    if (type == "Personal") {
        const nlohmann::json personal = obj.at("personal");
        if (personal.is_null()) {
            return fallBack();
        }
        PersonalFilter filter{personal.get<std::string>()};
        cocos2d::log("loadFilter: Personal(%s)", filter.name.c_str());
        return filter;
    }
    if (type == "Attribute") {
        const nlohmann::json attributes = obj.at("attributes");
        if (attributes.is_null()) {
            return fallBack();
        }
        AttributeFilter filter{attributes.get<std::vector<std::string>>()};
        cocos2d::log("loadFilter: Attributes");
        return filter;
    }
    return fallBack();
}
