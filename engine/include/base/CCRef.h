#pragma once

#include "base/ccConfig.h"
#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

class Ref;
class Node;
class Event;

// Something that can make a copy of itself (actions).
class Clonable {
public:
    virtual Clonable* clone() const = 0;
    virtual ~Clonable() = default;
};

// Intrusive reference count. A new object starts at 1; release() to 0 deletes it at once;
// autorelease() defers one release() to the end of the current frame.
class Ref {
public:
    void retain();
    void release();
    Ref* autorelease();
    unsigned int getReferenceCount() const { return _referenceCount; }

    virtual ~Ref();

protected:
    Ref();

    unsigned int _referenceCount;

    friend class AutoreleasePool;
};

typedef void (Ref::*SEL_CallFunc)();
typedef void (Ref::*SEL_CallFuncN)(Node*);
typedef void (Ref::*SEL_CallFuncND)(Node*, void*);
typedef void (Ref::*SEL_CallFuncO)(Ref*);
typedef void (Ref::*SEL_MenuHandler)(Ref*);
typedef void (Ref::*SEL_SCHEDULE)(float);

#define CC_CALLFUNC_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_CallFunc>(&_SELECTOR)
#define CC_CALLFUNCN_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_CallFuncN>(&_SELECTOR)
#define CC_CALLFUNCND_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_CallFuncND>(&_SELECTOR)
#define CC_CALLFUNCO_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_CallFuncO>(&_SELECTOR)
#define CC_MENU_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_MenuHandler>(&_SELECTOR)
#define CC_SCHEDULE_SELECTOR(_SELECTOR) static_cast<cocos2d::SEL_SCHEDULE>(&_SELECTOR)

NS_CC_END
