#pragma once

#include <map>
#include <string>

#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

// The per-user key/value store: "UserDefault.xml" in FileUtils::getWritablePath(), root element
// userDefaultRoot with one child element per key whose text is the value ("true"/"false", decimal
// integers). Values live in memory; every set writes the whole store through at once and atomically
// (temp file in the same folder, fsync, rename over the old one), so a crash never leaves a half
// written store. A store that cannot be parsed is renamed aside and the program goes on with defaults.
// Keys must be valid XML element names; other keys are refused with a log line.
class UserDefault {
public:
    static UserDefault* getInstance();
    static void destroyInstance();
    // Path of the store file (valid once getInstance has run).
    static const std::string& getXMLFilePath();
    static bool isXMLFileExist();

    bool getBoolForKey(const char* key);
    virtual bool getBoolForKey(const char* key, bool defaultValue);
    int getIntegerForKey(const char* key);
    virtual int getIntegerForKey(const char* key, int defaultValue);
    float getFloatForKey(const char* key);
    virtual float getFloatForKey(const char* key, float defaultValue);
    double getDoubleForKey(const char* key);
    virtual double getDoubleForKey(const char* key, double defaultValue);
    std::string getStringForKey(const char* key);
    virtual std::string getStringForKey(const char* key, const std::string& defaultValue);

    virtual void setBoolForKey(const char* key, bool value);
    virtual void setIntegerForKey(const char* key, int value);
    virtual void setFloatForKey(const char* key, float value);
    virtual void setDoubleForKey(const char* key, double value);
    virtual void setStringForKey(const char* key, const std::string& value);

    // Every set is already on disk; flush only retries a write that failed earlier.
    virtual void flush();
    virtual void deleteValueForKey(const char* key);

    // True when the last write reached the disk.
    bool isStoreWritten() const { return !_dirty; }

protected:
    UserDefault();
    virtual ~UserDefault();

private:
    // Text stored for key, or nullptr when absent.
    const std::string* find(const char* key) const;
    void set(const char* key, const std::string& text);
    void load();
    void setAside(const char* reason);
    bool save();

    std::map<std::string, std::string> _values;
    bool _dirty = false;
};

NS_CC_END
