#pragma once

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <sys/types.h>
#include <type_traits>
#include <vector>

#include "base/CCConsole.h"
#include "base/CCRef.h"
#include "base/ccMacros.h"

NS_CC_BEGIN

// A std::vector of Ref pointers that retains what it holds and releases what it lets go.
template <class T> class Vector {
    static_assert(std::is_convertible<T, Ref*>::value, "Vector<T>: T must be a pointer to a Ref subclass");

public:
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;
    using reverse_iterator = typename std::vector<T>::reverse_iterator;
    using const_reverse_iterator = typename std::vector<T>::const_reverse_iterator;

    iterator begin() { return _data.begin(); }
    const_iterator begin() const { return _data.begin(); }
    iterator end() { return _data.end(); }
    const_iterator end() const { return _data.end(); }
    const_iterator cbegin() const { return _data.cbegin(); }
    const_iterator cend() const { return _data.cend(); }
    reverse_iterator rbegin() { return _data.rbegin(); }
    const_reverse_iterator rbegin() const { return _data.rbegin(); }
    reverse_iterator rend() { return _data.rend(); }
    const_reverse_iterator rend() const { return _data.rend(); }

    Vector() = default;
    explicit Vector(ssize_t capacity) { reserve(capacity); }
    Vector(std::initializer_list<T> list) {
        for (auto& element : list) {
            pushBack(element);
        }
    }
    Vector(const Vector<T>& other) : _data(other._data) { addRefForAllObjects(); }
    Vector(Vector<T>&& other) noexcept : _data(std::move(other._data)) {}
    ~Vector() { clear(); }

    Vector<T>& operator=(const Vector<T>& other) {
        if (this != &other) {
            std::vector<T> old;
            old.swap(_data);
            _data = other._data;
            addRefForAllObjects();
            for (auto obj : old) {
                obj->release();
            }
        }
        return *this;
    }
    Vector<T>& operator=(Vector<T>&& other) noexcept {
        if (this != &other) {
            clear();
            _data = std::move(other._data);
        }
        return *this;
    }

    void reserve(ssize_t n) { _data.reserve(n); }
    ssize_t capacity() const { return _data.capacity(); }
    ssize_t size() const { return _data.size(); }
    bool empty() const { return _data.empty(); }
    ssize_t max_size() const { return _data.max_size(); }

    // Index of object, or -1.
    ssize_t getIndex(T object) const {
        auto iter = std::find(_data.begin(), _data.end(), object);
        return iter != _data.end() ? iter - _data.begin() : -1;
    }
    const_iterator find(T object) const { return std::find(_data.begin(), _data.end(), object); }
    iterator find(T object) { return std::find(_data.begin(), _data.end(), object); }

    T at(ssize_t index) const {
        CCASSERT(index >= 0 && index < size(), "index out of range in Vector::at");
        return _data[index];
    }
    T front() const { return _data.front(); }
    T back() const { return _data.back(); }
    T getRandomObject() const {
        if (_data.empty()) {
            return nullptr;
        }
        return _data[std::rand() % _data.size()];
    }
    bool contains(T object) const { return std::find(_data.begin(), _data.end(), object) != _data.end(); }
    bool equals(const Vector<T>& other) const { return _data == other._data; }

    // A null object (say, a failed create()) is refused with a log line instead of crashing later.
    void pushBack(T object) {
        if (object == nullptr) {
            cocos2d::log("Vector::pushBack: ignored a null object");
            return;
        }
        _data.push_back(object);
        object->retain();
    }
    void pushBack(const Vector<T>& other) {
        for (const auto& obj : other) {
            pushBack(obj);
        }
    }
    void insert(ssize_t index, T object) {
        CCASSERT(index >= 0 && index <= size(), "Invalid index!");
        if (object == nullptr) {
            cocos2d::log("Vector::insert: ignored a null object");
            return;
        }
        _data.insert(_data.begin() + index, object);
        object->retain();
    }
    void popBack() {
        CCASSERT(!_data.empty(), "no objects added");
        auto last = _data.back();
        _data.pop_back();
        last->release();
    }
    // Removes the first occurrence (or every occurrence) of object.
    void eraseObject(T object, bool removeAll = false) {
        if (removeAll) {
            for (auto iter = _data.begin(); iter != _data.end();) {
                if (*iter == object) {
                    iter = _data.erase(iter);
                    object->release();
                } else {
                    ++iter;
                }
            }
        } else {
            auto iter = std::find(_data.begin(), _data.end(), object);
            if (iter != _data.end()) {
                _data.erase(iter);
                object->release();
            }
        }
    }
    iterator erase(iterator position) {
        CCASSERT(position >= _data.begin() && position < _data.end(), "Invalid position!");
        T obj = *position;
        auto next = _data.erase(position);
        obj->release();
        return next;
    }
    iterator erase(iterator first, iterator last) {
        std::vector<T> removed(first, last);
        auto next = _data.erase(first, last);
        for (auto obj : removed) {
            obj->release();
        }
        return next;
    }
    iterator erase(ssize_t index) {
        CCASSERT(!_data.empty() && index >= 0 && index < size(), "Invalid index!");
        return erase(_data.begin() + index);
    }
    // Releases after emptying, so a destructor that looks back at this container sees it empty.
    void clear() {
        std::vector<T> old;
        old.swap(_data);
        for (auto obj : old) {
            obj->release();
        }
    }
    void swap(T object1, T object2) {
        ssize_t index1 = getIndex(object1);
        ssize_t index2 = getIndex(object2);
        CCASSERT(index1 >= 0 && index2 >= 0, "invalid object");
        std::swap(_data[index1], _data[index2]);
    }
    void swap(ssize_t index1, ssize_t index2) { std::swap(_data[index1], _data[index2]); }
    void replace(ssize_t index, T object) {
        CCASSERT(index >= 0 && index < size(), "Invalid index!");
        if (object == nullptr) {
            cocos2d::log("Vector::replace: ignored a null object");
            return;
        }
        object->retain();
        T old = _data[index];
        _data[index] = object;
        old->release();
    }
    void reverse() { std::reverse(_data.begin(), _data.end()); }
    void shrinkToFit() { _data.shrink_to_fit(); }

private:
    void addRefForAllObjects() {
        for (const auto& obj : _data) {
            obj->retain();
        }
    }

    std::vector<T> _data;
};

NS_CC_END
