#include "base/CCValue.h"

#include <cstdlib>
#include <sstream>

NS_CC_BEGIN

namespace {
const ValueVector kEmptyVector;
const ValueMap kEmptyMap;
const ValueMapIntKey kEmptyIntKeyMap;
} // namespace

const Value Value::Null;

Value::Value() : _type(Type::NONE) {
    _field.intVal = 0;
}
Value::Value(unsigned char v) : _type(Type::BYTE) {
    _field.byteVal = v;
}
Value::Value(int v) : _type(Type::INTEGER) {
    _field.intVal = v;
}
Value::Value(unsigned int v) : _type(Type::UNSIGNED) {
    _field.unsignedVal = v;
}
Value::Value(float v) : _type(Type::FLOAT) {
    _field.floatVal = v;
}
Value::Value(double v) : _type(Type::DOUBLE) {
    _field.doubleVal = v;
}
Value::Value(bool v) : _type(Type::BOOLEAN) {
    _field.boolVal = v;
}
Value::Value(const char* v) : _string(v ? v : ""), _type(Type::STRING) {
    _field.intVal = 0;
}
Value::Value(const std::string& v) : _string(v), _type(Type::STRING) {
    _field.intVal = 0;
}
Value::Value(const ValueVector& v) : _vector(new ValueVector(v)), _type(Type::VECTOR) {
    _field.intVal = 0;
}
Value::Value(ValueVector&& v) : _vector(new ValueVector(std::move(v))), _type(Type::VECTOR) {
    _field.intVal = 0;
}
Value::Value(const ValueMap& v) : _map(new ValueMap(v)), _type(Type::MAP) {
    _field.intVal = 0;
}
Value::Value(ValueMap&& v) : _map(new ValueMap(std::move(v))), _type(Type::MAP) {
    _field.intVal = 0;
}
Value::Value(const ValueMapIntKey& v) : _intKeyMap(new ValueMapIntKey(v)), _type(Type::INT_KEY_MAP) {
    _field.intVal = 0;
}
Value::Value(ValueMapIntKey&& v) : _intKeyMap(new ValueMapIntKey(std::move(v))), _type(Type::INT_KEY_MAP) {
    _field.intVal = 0;
}

Value::Value(const Value& other) : _type(Type::NONE) {
    *this = other;
}

Value::Value(Value&& other) noexcept
    : _field(other._field), _string(std::move(other._string)), _vector(std::move(other._vector)),
      _map(std::move(other._map)), _intKeyMap(std::move(other._intKeyMap)), _type(other._type) {
    other._type = Type::NONE;
}

Value::~Value() = default;

Value& Value::operator=(const Value& other) {
    if (this == &other) {
        return *this;
    }
    reset(other._type);
    _field = other._field;
    _string = other._string;
    if (other._vector) {
        *_vector = *other._vector;
    }
    if (other._map) {
        *_map = *other._map;
    }
    if (other._intKeyMap) {
        *_intKeyMap = *other._intKeyMap;
    }
    return *this;
}

Value& Value::operator=(Value&& other) noexcept {
    if (this != &other) {
        _field = other._field;
        _string = std::move(other._string);
        _vector = std::move(other._vector);
        _map = std::move(other._map);
        _intKeyMap = std::move(other._intKeyMap);
        _type = other._type;
        other._type = Type::NONE;
    }
    return *this;
}

Value& Value::operator=(unsigned char v) {
    return *this = Value(v);
}
Value& Value::operator=(int v) {
    return *this = Value(v);
}
Value& Value::operator=(unsigned int v) {
    return *this = Value(v);
}
Value& Value::operator=(float v) {
    return *this = Value(v);
}
Value& Value::operator=(double v) {
    return *this = Value(v);
}
Value& Value::operator=(bool v) {
    return *this = Value(v);
}
Value& Value::operator=(const char* v) {
    return *this = Value(v);
}
Value& Value::operator=(const std::string& v) {
    return *this = Value(v);
}
Value& Value::operator=(const ValueVector& v) {
    return *this = Value(v);
}
Value& Value::operator=(const ValueMap& v) {
    return *this = Value(v);
}
Value& Value::operator=(const ValueMapIntKey& v) {
    return *this = Value(v);
}

bool Value::operator==(const Value& v) const {
    if (this == &v) {
        return true;
    }
    if (v._type != _type) {
        return false;
    }
    switch (_type) {
    case Type::NONE:
        return true;
    case Type::BYTE:
        return _field.byteVal == v._field.byteVal;
    case Type::INTEGER:
        return _field.intVal == v._field.intVal;
    case Type::UNSIGNED:
        return _field.unsignedVal == v._field.unsignedVal;
    case Type::FLOAT:
        return _field.floatVal == v._field.floatVal;
    case Type::DOUBLE:
        return _field.doubleVal == v._field.doubleVal;
    case Type::BOOLEAN:
        return _field.boolVal == v._field.boolVal;
    case Type::STRING:
        return _string == v._string;
    case Type::VECTOR:
        return *_vector == *v._vector;
    case Type::MAP:
        return *_map == *v._map;
    case Type::INT_KEY_MAP:
        return *_intKeyMap == *v._intKeyMap;
    }
    return false;
}

void Value::clear() {
    _field.intVal = 0;
    _string.clear();
    _vector.reset();
    _map.reset();
    _intKeyMap.reset();
    _type = Type::NONE;
}

void Value::reset(Type type) {
    clear();
    _type = type;
    if (type == Type::VECTOR) {
        _vector.reset(new ValueVector());
    } else if (type == Type::MAP) {
        _map.reset(new ValueMap());
    } else if (type == Type::INT_KEY_MAP) {
        _intKeyMap.reset(new ValueMapIntKey());
    }
}

unsigned char Value::asByte() const {
    return static_cast<unsigned char>(asInt());
}

int Value::asInt() const {
    switch (_type) {
    case Type::BYTE:
        return _field.byteVal;
    case Type::INTEGER:
        return _field.intVal;
    case Type::UNSIGNED:
        return static_cast<int>(_field.unsignedVal);
    case Type::FLOAT:
        return static_cast<int>(_field.floatVal);
    case Type::DOUBLE:
        return static_cast<int>(_field.doubleVal);
    case Type::BOOLEAN:
        return _field.boolVal ? 1 : 0;
    case Type::STRING:
        return std::atoi(_string.c_str());
    default:
        return 0;
    }
}

unsigned int Value::asUnsignedInt() const {
    switch (_type) {
    case Type::UNSIGNED:
        return _field.unsignedVal;
    case Type::STRING:
        return static_cast<unsigned int>(std::strtoul(_string.c_str(), nullptr, 10));
    default:
        return static_cast<unsigned int>(asInt());
    }
}

float Value::asFloat() const {
    return static_cast<float>(asDouble());
}

double Value::asDouble() const {
    switch (_type) {
    case Type::FLOAT:
        return _field.floatVal;
    case Type::DOUBLE:
        return _field.doubleVal;
    case Type::UNSIGNED:
        return _field.unsignedVal;
    case Type::STRING:
        return std::strtod(_string.c_str(), nullptr);
    default:
        return asInt();
    }
}

bool Value::asBool() const {
    switch (_type) {
    case Type::BOOLEAN:
        return _field.boolVal;
    case Type::STRING:
        return !(_string == "0" || _string == "false" || _string.empty());
    case Type::FLOAT:
        return _field.floatVal != 0.0f;
    case Type::DOUBLE:
        return _field.doubleVal != 0.0;
    default:
        return asInt() != 0;
    }
}

std::string Value::asString() const {
    std::ostringstream out;
    switch (_type) {
    case Type::BYTE:
        out << static_cast<int>(_field.byteVal);
        break;
    case Type::INTEGER:
        out << _field.intVal;
        break;
    case Type::UNSIGNED:
        out << _field.unsignedVal;
        break;
    case Type::FLOAT:
        out << _field.floatVal;
        break;
    case Type::DOUBLE:
        out << _field.doubleVal;
        break;
    case Type::BOOLEAN:
        out << (_field.boolVal ? "true" : "false");
        break;
    case Type::STRING:
        return _string;
    default:
        break;
    }
    return out.str();
}

ValueVector& Value::asValueVector() {
    if (_type != Type::VECTOR) {
        reset(Type::VECTOR);
    }
    return *_vector;
}

const ValueVector& Value::asValueVector() const {
    return _vector ? *_vector : kEmptyVector;
}

ValueMap& Value::asValueMap() {
    if (_type != Type::MAP) {
        reset(Type::MAP);
    }
    return *_map;
}

const ValueMap& Value::asValueMap() const {
    return _map ? *_map : kEmptyMap;
}

ValueMapIntKey& Value::asIntKeyMap() {
    if (_type != Type::INT_KEY_MAP) {
        reset(Type::INT_KEY_MAP);
    }
    return *_intKeyMap;
}

const ValueMapIntKey& Value::asIntKeyMap() const {
    return _intKeyMap ? *_intKeyMap : kEmptyIntKeyMap;
}

std::string Value::getDescription() const {
    switch (_type) {
    case Type::NONE:
        return "<null>";
    case Type::VECTOR:
        return "<vector of " + std::to_string(_vector->size()) + ">";
    case Type::MAP:
        return "<map of " + std::to_string(_map->size()) + ">";
    case Type::INT_KEY_MAP:
        return "<int-key map of " + std::to_string(_intKeyMap->size()) + ">";
    default:
        return asString();
    }
}

NS_CC_END
