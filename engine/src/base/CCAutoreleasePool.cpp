#include "base/CCAutoreleasePool.h"

#include <algorithm>

#include "base/CCConsole.h"
#include "base/ccMacros.h"

NS_CC_BEGIN

namespace {
PoolManager* s_poolManager = nullptr;
}

AutoreleasePool::AutoreleasePool() : AutoreleasePool("") {}

AutoreleasePool::AutoreleasePool(const std::string& name) : _name(name) {
    _managedObjectArray.reserve(150);
    PoolManager::getInstance()->push(this);
}

AutoreleasePool::~AutoreleasePool() {
    clear();
    PoolManager::getInstance()->pop();
}

void AutoreleasePool::addObject(Ref* object) {
    _managedObjectArray.push_back(object);
}

void AutoreleasePool::clear() {
    _isClearing = true;
    std::vector<Ref*> releasings;
    releasings.swap(_managedObjectArray);
    for (const auto& obj : releasings) {
        obj->release();
    }
    _isClearing = false;
}

bool AutoreleasePool::contains(Ref* object) const {
    return std::find(_managedObjectArray.begin(), _managedObjectArray.end(), object) !=
           _managedObjectArray.end();
}

void AutoreleasePool::dump() {
    log("autorelease pool: %zu objects", _managedObjectArray.size());
    for (const auto& obj : _managedObjectArray) {
        log("%20p%20u", static_cast<void*>(obj), obj->getReferenceCount());
    }
}

PoolManager* PoolManager::getInstance() {
    if (s_poolManager == nullptr) {
        s_poolManager = new PoolManager();
        // The frame pool pushes itself onto the stack.
        new AutoreleasePool("cocos2d autorelease pool");
    }
    return s_poolManager;
}

void PoolManager::destroyInstance() {
    delete s_poolManager;
    s_poolManager = nullptr;
}

PoolManager::PoolManager() {
    _releasePoolStack.reserve(10);
}

PoolManager::~PoolManager() {
    // Each pool pops itself in its destructor.
    while (!_releasePoolStack.empty()) {
        AutoreleasePool* pool = _releasePoolStack.back();
        delete pool;
    }
}

AutoreleasePool* PoolManager::getCurrentPool() const {
    return _releasePoolStack.back();
}

bool PoolManager::isObjectInPools(Ref* obj) const {
    for (const auto& pool : _releasePoolStack) {
        if (pool->contains(obj)) {
            return true;
        }
    }
    return false;
}

void PoolManager::push(AutoreleasePool* pool) {
    _releasePoolStack.push_back(pool);
}

void PoolManager::pop() {
    CCASSERT(!_releasePoolStack.empty(), "no pool to pop");
    _releasePoolStack.pop_back();
}

NS_CC_END
