#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

class Value;

typedef std::vector<Value> ValueVector;
typedef std::unordered_map<std::string, Value> ValueMap;
typedef std::unordered_map<int, Value> ValueMapIntKey;

// A tagged value as read from property lists: a number, bool, string, or a nested vector/map.
// The as…() accessors convert between scalar kinds the way the framework does (strings parse as
// numbers, "true"/"false" as bools) and return a zero/empty value for containers.
class Value {
public:
    enum class Type {
        NONE = 0,
        BYTE,
        INTEGER,
        UNSIGNED,
        FLOAT,
        DOUBLE,
        BOOLEAN,
        STRING,
        VECTOR,
        MAP,
        INT_KEY_MAP
    };

    static const Value Null;

    Value();
    explicit Value(unsigned char v);
    explicit Value(int v);
    explicit Value(unsigned int v);
    explicit Value(float v);
    explicit Value(double v);
    explicit Value(bool v);
    explicit Value(const char* v);
    explicit Value(const std::string& v);
    explicit Value(const ValueVector& v);
    explicit Value(ValueVector&& v);
    explicit Value(const ValueMap& v);
    explicit Value(ValueMap&& v);
    explicit Value(const ValueMapIntKey& v);
    explicit Value(ValueMapIntKey&& v);
    Value(const Value& other);
    Value(Value&& other) noexcept;
    ~Value();

    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept;
    Value& operator=(unsigned char v);
    Value& operator=(int v);
    Value& operator=(unsigned int v);
    Value& operator=(float v);
    Value& operator=(double v);
    Value& operator=(bool v);
    Value& operator=(const char* v);
    Value& operator=(const std::string& v);
    Value& operator=(const ValueVector& v);
    Value& operator=(const ValueMap& v);
    Value& operator=(const ValueMapIntKey& v);

    bool operator==(const Value& v) const;
    bool operator!=(const Value& v) const { return !(*this == v); }

    unsigned char asByte() const;
    int asInt() const;
    unsigned int asUnsignedInt() const;
    float asFloat() const;
    double asDouble() const;
    bool asBool() const;
    std::string asString() const;

    // Container accessors; on a value of another type they return a shared empty container
    // (the const forms) or turn this value into an empty container of that type.
    ValueVector& asValueVector();
    const ValueVector& asValueVector() const;
    ValueMap& asValueMap();
    const ValueMap& asValueMap() const;
    ValueMapIntKey& asIntKeyMap();
    const ValueMapIntKey& asIntKeyMap() const;

    bool isNull() const { return _type == Type::NONE; }
    Type getType() const { return _type; }
    std::string getDescription() const;

private:
    void clear();
    void reset(Type type);

    union {
        unsigned char byteVal;
        int intVal;
        unsigned int unsignedVal;
        float floatVal;
        double doubleVal;
        bool boolVal;
    } _field;
    std::string _string;
    std::unique_ptr<ValueVector> _vector;
    std::unique_ptr<ValueMap> _map;
    std::unique_ptr<ValueMapIntKey> _intKeyMap;
    Type _type;
};

NS_CC_END
