#include "data/JsonFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "platform/CCFileUtils.h"

nlohmann::json readJsonFile(const std::string& path) {
    const std::string fullPath = cocos2d::FileUtils::getInstance()->fullPathForFilename(path);
    // Only a regular file is opened: an unresolved name ("") or a directory leaves the stream
    // closed, and the parser reports empty input. Reading a directory through the stream would
    // instead fail with an unrelated I/O exception.
    std::ifstream stream;
    std::error_code ignored;
    if (std::filesystem::is_regular_file(fullPath, ignored)) {
        stream.open(fullPath);
    }
    return nlohmann::json::parse(stream);
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
    // Integers and booleans convert as the library does; other types raise its error 302.
    return value.get<std::int32_t>();
}
