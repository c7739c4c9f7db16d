#pragma once

#include <string>
#include <vector>

#include "base/CCRef.h"

NS_CC_BEGIN

// Objects waiting for one deferred release() each. The Director clears the current pool at the end
// of every drawn frame.
class AutoreleasePool {
public:
    AutoreleasePool();
    explicit AutoreleasePool(const std::string& name);
    ~AutoreleasePool();

    // Adding the same object twice queues two releases.
    void addObject(Ref* object);
    // Releases every queued object once. The list is swapped out first, so objects autoreleased
    // while clearing are kept for the next clear.
    void clear();
    bool contains(Ref* object) const;
    bool isClearing() const { return _isClearing; }
    size_t size() const { return _managedObjectArray.size(); }
    const std::string& getName() const { return _name; }
    void dump();

private:
    std::vector<Ref*> _managedObjectArray;
    std::string _name;
    bool _isClearing = false;
};

// Keeps the stack of pools; there is always at least one (the frame pool).
class PoolManager {
public:
    static PoolManager* getInstance();
    static void destroyInstance();

    AutoreleasePool* getCurrentPool() const;
    bool isObjectInPools(Ref* obj) const;

    // A pool created on the stack pushes itself; its destructor pops it.
    void push(AutoreleasePool* pool);
    void pop();

private:
    PoolManager();
    ~PoolManager();

    std::vector<AutoreleasePool*> _releasePoolStack;
};

NS_CC_END
