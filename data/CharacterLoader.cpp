#include "data/CharacterLoader.h"

#include <stdexcept>

#include "base/CCConsole.h"
#include "data/DataPaths.h"
#include "data/JsonFile.h"

const char* const kParameterKeys[13] = {
    "twisted", "active", "diligence", "aggressive", "dependence", "intelligence", "age", "monster",
    "kind",    "money",  "love",      "living",     "S",
};

namespace {

// "expressions" is optional: {"Happy": "res/gal/hana_happy.png", …}, keyed by emotion name.
// Absent or null means her base picture for every emotion.
void readExpressions(const nlohmann::json& obj, Character& c) {
    const auto found = obj.find("expressions");
    if (found == obj.end() || found->is_null()) {
        return;
    }
    if (!found->is_object()) {
        throw std::runtime_error(c.name + ": \"expressions\" must map emotion names to pictures");
    }
    for (const auto& [name, picture] : found->items()) {
        c.expressions[toEmotion(name)] = picture.get<std::string>();
    }
}

} // namespace

Character parseCharacter(nlohmann::json obj) {
    Character c;
    c.id = readInt(obj, "id");
    c.border = readInt(obj, "border");
    c.file = obj.at("file").get<std::string>();
    for (const auto& element : obj.at("attribute")) {
        c.attribute.insert(element.at("name").get<std::string>());
    }
    c.name = obj.at("name").get<std::string>();
    c.me = obj.at("me").get<std::string>();
    c.you = obj.at("you").get<std::string>();
    readExpressions(obj, c);

    const nlohmann::json parameter = obj.at("parameter");
    if (parameter.is_null()) {
        cocos2d::log("%s's parameter is null", c.name.c_str());
        return c;
    }
    for (const char* key : kParameterKeys) {
        c.parameter[key] = readInt(parameter, key);
    }
    return c;
}

CharacterMap loadCharacters() {
    CharacterMap characters;
    // Iterating the document the library's way: an array gives its elements, an object its
    // member values, null nothing, and a single value itself.
    for (const auto& element : readJsonFile(kCharacterDataPath)) {
        const std::int32_t id = readInt(element, "id");
        characters[id] = parseCharacter(element);
    }
    return characters;
}

CharacterInfoMap loadCharacterInfos() {
    CharacterInfoMap infos;
    for (const auto& element : readJsonFile(kCharacterInfoPath)) {
        const std::int32_t id = readInt(element, "id");
        infos[id] = element.at("info").get<std::string>();
    }
    return infos;
}
