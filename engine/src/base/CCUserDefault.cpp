#include "base/CCUserDefault.h"

#include <cstdio>
#include <cstdlib>

#include "base/CCConsole.h"
#include "platform/CCFileUtils.h"
#include "platform/FileSystem.h"

NS_CC_BEGIN

namespace {

UserDefault* s_userDefault = nullptr;
std::string s_filePath;

// XML 1.0 element names, restricted to what the store can round-trip: a letter, '_' or a non-ASCII
// byte first, then also digits, '-', '.' and ':'.
bool isValidKey(const char* key) {
    if (key == nullptr || key[0] == '\0') {
        return false;
    }
    auto isStart = [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
    };
    auto isPart = [&isStart](unsigned char c) {
        return isStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':';
    };
    if (!isStart(static_cast<unsigned char>(key[0]))) {
        return false;
    }
    for (const char* p = key + 1; *p != '\0'; ++p) {
        if (!isPart(static_cast<unsigned char>(*p))) {
            return false;
        }
    }
    return true;
}

const char* printable(const char* key) {
    return key != nullptr ? key : "(null)";
}

std::string formatNumber(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), format, value);
    return buffer;
}

} // namespace

UserDefault* UserDefault::getInstance() {
    if (s_userDefault == nullptr) {
        s_userDefault = new UserDefault();
    }
    return s_userDefault;
}

void UserDefault::destroyInstance() {
    delete s_userDefault;
    s_userDefault = nullptr;
}

const std::string& UserDefault::getXMLFilePath() {
    return s_filePath;
}

bool UserDefault::isXMLFileExist() {
    return fs::isRegularFile(s_filePath);
}

UserDefault::UserDefault() {
    s_filePath = FileUtils::getInstance()->getWritablePath() + "UserDefault.xml";
    log("UserDefault: store at %s", s_filePath.c_str());
    load();
}

UserDefault::~UserDefault() = default;

const std::string* UserDefault::find(const char* key) const {
    if (!isValidKey(key)) {
        log("UserDefault: '%s' is not a valid key (keys are XML names); using the default", printable(key));
        return nullptr;
    }
    auto iter = _values.find(key);
    if (iter == _values.end() || iter->second.empty()) {
        return nullptr;
    }
    return &iter->second;
}

void UserDefault::set(const char* key, const std::string& text) {
    if (!isValidKey(key)) {
        log("UserDefault: refused to store '%s': keys must be XML names (a letter or '_' first, then "
            "letters, digits, '-', '_', '.')",
            printable(key));
        return;
    }
    _values[key] = text;
    save();
}

bool UserDefault::getBoolForKey(const char* key) {
    return getBoolForKey(key, false);
}

bool UserDefault::getBoolForKey(const char* key, bool defaultValue) {
    const std::string* text = find(key);
    return text != nullptr ? *text == "true" : defaultValue;
}

int UserDefault::getIntegerForKey(const char* key) {
    return getIntegerForKey(key, 0);
}

int UserDefault::getIntegerForKey(const char* key, int defaultValue) {
    const std::string* text = find(key);
    return text != nullptr ? std::atoi(text->c_str()) : defaultValue;
}

float UserDefault::getFloatForKey(const char* key) {
    return getFloatForKey(key, 0.0f);
}

float UserDefault::getFloatForKey(const char* key, float defaultValue) {
    const std::string* text = find(key);
    return text != nullptr ? static_cast<float>(std::strtod(text->c_str(), nullptr)) : defaultValue;
}

double UserDefault::getDoubleForKey(const char* key) {
    return getDoubleForKey(key, 0.0);
}

double UserDefault::getDoubleForKey(const char* key, double defaultValue) {
    const std::string* text = find(key);
    return text != nullptr ? std::strtod(text->c_str(), nullptr) : defaultValue;
}

std::string UserDefault::getStringForKey(const char* key) {
    return getStringForKey(key, "");
}

std::string UserDefault::getStringForKey(const char* key, const std::string& defaultValue) {
    const std::string* text = find(key);
    return text != nullptr ? *text : defaultValue;
}

void UserDefault::setBoolForKey(const char* key, bool value) {
    set(key, value ? "true" : "false");
}

void UserDefault::setIntegerForKey(const char* key, int value) {
    set(key, std::to_string(value));
}

// Enough digits to read back the same value ("%f" would turn small values into 0).
void UserDefault::setFloatForKey(const char* key, float value) {
    set(key, formatNumber("%.9g", value));
}

void UserDefault::setDoubleForKey(const char* key, double value) {
    set(key, formatNumber("%.17g", value));
}

void UserDefault::setStringForKey(const char* key, const std::string& value) {
    set(key, value);
}

void UserDefault::flush() {
    if (_dirty) {
        save();
    }
}

void UserDefault::deleteValueForKey(const char* key) {
    if (!isValidKey(key)) {
        log("UserDefault: '%s' is not a valid key; nothing to delete", printable(key));
        return;
    }
    if (_values.erase(key) > 0) {
        save();
    }
}

NS_CC_END
