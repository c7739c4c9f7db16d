#pragma once

#include <cstdlib>
#include <sys/types.h>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "base/CCConsole.h"
#include "base/CCRef.h"
#include "base/ccMacros.h"

NS_CC_BEGIN

// An unordered map from keys to Ref pointers that retains its values.
template <class K, class V> class Map {
    static_assert(std::is_convertible<V, Ref*>::value, "Map<K, V>: V must be a pointer to a Ref subclass");

public:
    using RefMap = std::unordered_map<K, V>;
    using iterator = typename RefMap::iterator;
    using const_iterator = typename RefMap::const_iterator;

    iterator begin() { return _data.begin(); }
    const_iterator begin() const { return _data.begin(); }
    iterator end() { return _data.end(); }
    const_iterator end() const { return _data.end(); }
    const_iterator cbegin() const { return _data.cbegin(); }
    const_iterator cend() const { return _data.cend(); }

    Map() = default;
    explicit Map(ssize_t capacity) { _data.reserve(capacity); }
    Map(const Map<K, V>& other) : _data(other._data) { addRefForAllObjects(); }
    Map(Map<K, V>&& other) noexcept : _data(std::move(other._data)) {}
    ~Map() { clear(); }

    Map<K, V>& operator=(const Map<K, V>& other) {
        if (this != &other) {
            RefMap old;
            old.swap(_data);
            _data = other._data;
            addRefForAllObjects();
            for (auto& entry : old) {
                entry.second->release();
            }
        }
        return *this;
    }
    Map<K, V>& operator=(Map<K, V>&& other) noexcept {
        if (this != &other) {
            clear();
            _data = std::move(other._data);
        }
        return *this;
    }

    void reserve(ssize_t capacity) { _data.reserve(capacity); }
    ssize_t size() const { return _data.size(); }
    bool empty() const { return _data.empty(); }

    std::vector<K> keys() const {
        std::vector<K> result;
        result.reserve(_data.size());
        for (const auto& entry : _data) {
            result.push_back(entry.first);
        }
        return result;
    }
    std::vector<K> keys(V object) const {
        std::vector<K> result;
        for (const auto& entry : _data) {
            if (entry.second == object) {
                result.push_back(entry.first);
            }
        }
        return result;
    }

    // The value for key, or nullptr.
    V at(const K& key) const {
        auto iter = _data.find(key);
        return iter != _data.end() ? iter->second : nullptr;
    }
    const_iterator find(const K& key) const { return _data.find(key); }
    iterator find(const K& key) { return _data.find(key); }

    // Replaces (and releases) an existing value for key.
    void insert(const K& key, V object) {
        if (object == nullptr) {
            cocos2d::log("Map::insert: ignored a null object");
            return;
        }
        object->retain();
        erase(key);
        _data.emplace(key, object);
    }
    iterator erase(const_iterator position) {
        CCASSERT(position != _data.cend(), "Invalid iterator!");
        V obj = position->second;
        auto next = _data.erase(position);
        obj->release();
        return next;
    }
    size_t erase(const K& key) {
        auto iter = _data.find(key);
        if (iter == _data.end()) {
            return 0;
        }
        V obj = iter->second;
        _data.erase(iter);
        obj->release();
        return 1;
    }
    void erase(const std::vector<K>& keys) {
        for (const auto& key : keys) {
            erase(key);
        }
    }
    void clear() {
        RefMap old;
        old.swap(_data);
        for (auto& entry : old) {
            entry.second->release();
        }
    }
    V getRandomObject() const {
        if (_data.empty()) {
            return nullptr;
        }
        auto iter = _data.begin();
        std::advance(iter, std::rand() % _data.size());
        return iter->second;
    }

private:
    void addRefForAllObjects() {
        for (auto& entry : _data) {
            entry.second->retain();
        }
    }

    RefMap _data;
};

NS_CC_END
