#pragma once

// Namespace and export macros shared by every engine header.

#define NS_CC_BEGIN namespace cocos2d {
#define NS_CC_END }
#define USING_NS_CC using namespace cocos2d
#define NS_CC ::cocos2d

#define CC_DLL

// Constructors stay public so game subclasses and tests can build objects directly.
#define CC_CONSTRUCTOR_ACCESS public

#define CC_DEPRECATED_ATTRIBUTE [[deprecated]]
#define CC_UNUSED_PARAM(unusedparam) (void)(unusedparam)

#define CC_PLATFORM_UNKNOWN 0
#define CC_PLATFORM_IOS 1
#define CC_PLATFORM_ANDROID 2
#define CC_PLATFORM_WIN32 3
#define CC_PLATFORM_LINUX 5
#define CC_PLATFORM_MAC 8

#if defined(_WIN32)
#define CC_TARGET_PLATFORM CC_PLATFORM_WIN32
#elif defined(__APPLE__)
#define CC_TARGET_PLATFORM CC_PLATFORM_MAC
#else
#define CC_TARGET_PLATFORM CC_PLATFORM_LINUX
#endif

#define CC_SAFE_DELETE(p)                                                                                    \
    do {                                                                                                     \
        delete (p);                                                                                          \
        (p) = nullptr;                                                                                       \
    } while (0)
#define CC_SAFE_DELETE_ARRAY(p)                                                                              \
    do {                                                                                                     \
        delete[](p);                                                                                         \
        (p) = nullptr;                                                                                       \
    } while (0)
#define CC_SAFE_FREE(p)                                                                                      \
    do {                                                                                                     \
        if (p) {                                                                                             \
            free(p);                                                                                         \
            (p) = nullptr;                                                                                   \
        }                                                                                                    \
    } while (0)
#define CC_SAFE_RELEASE(p)                                                                                   \
    do {                                                                                                     \
        if (p) {                                                                                             \
            (p)->release();                                                                                  \
        }                                                                                                    \
    } while (0)
#define CC_SAFE_RELEASE_NULL(p)                                                                              \
    do {                                                                                                     \
        if (p) {                                                                                             \
            (p)->release();                                                                                  \
            (p) = nullptr;                                                                                   \
        }                                                                                                    \
    } while (0)
#define CC_SAFE_RETAIN(p)                                                                                    \
    do {                                                                                                     \
        if (p) {                                                                                             \
            (p)->retain();                                                                                   \
        }                                                                                                    \
    } while (0)
#define CC_BREAK_IF(cond)                                                                                    \
    if (cond)                                                                                                \
    break

// Property helpers in the framework's shape.
#define CC_PROPERTY_READONLY(varType, varName, funName)                                                      \
protected:                                                                                                   \
    varType varName;                                                                                         \
                                                                                                             \
public:                                                                                                      \
    virtual varType get##funName() const;

#define CC_PROPERTY(varType, varName, funName)                                                               \
protected:                                                                                                   \
    varType varName;                                                                                         \
                                                                                                             \
public:                                                                                                      \
    virtual varType get##funName() const;                                                                    \
    virtual void set##funName(varType var);

#define CC_SYNTHESIZE_READONLY(varType, varName, funName)                                                    \
protected:                                                                                                   \
    varType varName;                                                                                         \
                                                                                                             \
public:                                                                                                      \
    virtual varType get##funName() const {                                                                   \
        return varName;                                                                                      \
    }

#define CC_SYNTHESIZE(varType, varName, funName)                                                             \
protected:                                                                                                   \
    varType varName;                                                                                         \
                                                                                                             \
public:                                                                                                      \
    virtual varType get##funName() const {                                                                   \
        return varName;                                                                                      \
    }                                                                                                        \
    virtual void set##funName(varType var) {                                                                 \
        varName = var;                                                                                       \
    }

// Retains the new value before releasing the old one so assigning the same object is safe.
// The owner initialises the member to nullptr and releases it in its destructor.
#define CC_SYNTHESIZE_RETAIN(varType, varName, funName)                                                      \
private:                                                                                                     \
    varType varName;                                                                                         \
                                                                                                             \
public:                                                                                                      \
    virtual varType get##funName() const {                                                                   \
        return varName;                                                                                      \
    }                                                                                                        \
    virtual void set##funName(varType var) {                                                                 \
        if (varName != var) {                                                                                \
            CC_SAFE_RETAIN(var);                                                                             \
            CC_SAFE_RELEASE(varName);                                                                        \
            varName = var;                                                                                   \
        }                                                                                                    \
    }
