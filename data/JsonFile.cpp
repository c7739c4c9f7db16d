#include "data/JsonFile.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "platform/CCFileUtils.h"

nlohmann::json readJsonFile(const std::string& path) {
    cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
    const std::string fullPath = files->fullPathForFilename(path);
    // Only a regular file is read: an unresolved name ("") or a directory gives no text, and the
    // parser reports empty input. FileUtils reads UTF-8 paths on every platform, where a
    // std::ifstream on Windows would take the path in the local code page and miss the file.
    std::string text;
    if (!fullPath.empty() && files->isFileExist(path)) {
        text = files->getStringFromFile(path); // resolved the same way; the root may be relative
    }
    return nlohmann::json::parse(text);
}

std::int32_t readInt(const nlohmann::json& value) {
    if (value.is_number_float()) {
        const double number = value.get<double>();
        // Truncation toward zero must land inside the 32-bit range; beyond it the plain cast
        // would be undefined behaviour.
        if (!(number > -2147483649.0 && number < 2147483648.0)) {
            throw std::out_of_range("number " + value.dump() + " does not fit a 32-bit integer");
        }
        return static_cast<std::int32_t>(number);
    }
    // The library's own conversion would wrap: "id": 4294967297 would read as 1.
    const bool tooLarge =
        value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT32_MAX);
    const bool outOfRange = value.is_number_integer() && !value.is_number_unsigned() &&
                            (value.get<std::int64_t>() < INT32_MIN || value.get<std::int64_t>() > INT32_MAX);
    if (tooLarge || outOfRange) {
        throw std::out_of_range("number " + value.dump() + " does not fit a 32-bit integer");
    }
    // Integers and booleans convert as the library does; other types raise its error 302.
    return value.get<std::int32_t>();
}

std::int32_t readInt(const nlohmann::json& object, const std::string& key) {
    const nlohmann::json& value = object.at(key);
    try {
        return readInt(value);
    } catch (const std::out_of_range& e) {
        throw std::out_of_range("\"" + key + "\": " + e.what());
    }
}
