#pragma once

#include <cassert>
#include <climits>
#include <cstdlib>
#include <functional>
#include <new>

#include "base/ccConfig.h"
#include "platform/CCPlatformMacros.h"

#define CCASSERT(cond, msg) assert((cond) && (msg))
#define CC_ASSERT(cond) assert(cond)
#define GP_ASSERT(cond) assert(cond)

#define CC_CALLBACK_0(__selector__, __target__, ...) std::bind(&__selector__, __target__, ##__VA_ARGS__)
#define CC_CALLBACK_1(__selector__, __target__, ...)                                                         \
    std::bind(&__selector__, __target__, std::placeholders::_1, ##__VA_ARGS__)
#define CC_CALLBACK_2(__selector__, __target__, ...)                                                         \
    std::bind(&__selector__, __target__, std::placeholders::_1, std::placeholders::_2, ##__VA_ARGS__)
#define CC_CALLBACK_3(__selector__, __target__, ...)                                                         \
    std::bind(&__selector__, __target__, std::placeholders::_1, std::placeholders::_2,                       \
              std::placeholders::_3, ##__VA_ARGS__)

// static T* create(): new, init(), autorelease; nullptr when init() fails.
#define CREATE_FUNC(__TYPE__)                                                                                \
    static __TYPE__* create() {                                                                              \
        __TYPE__* pRet = new (std::nothrow) __TYPE__();                                                      \
        if (pRet && pRet->init()) {                                                                          \
            pRet->autorelease();                                                                             \
            return pRet;                                                                                     \
        }                                                                                                    \
        delete pRet;                                                                                         \
        pRet = nullptr;                                                                                      \
        return nullptr;                                                                                      \
    }

// Repeat count meaning "until unscheduled".
#define CC_REPEAT_FOREVER (UINT_MAX - 1)

#define CC_DEGREES_TO_RADIANS(__ANGLE__) ((__ANGLE__)*0.01745329252f)
#define CC_RADIANS_TO_DEGREES(__ANGLE__) ((__ANGLE__)*57.29577951f)

#define CCRANDOM_MINUS1_1() ((2.0f * ((float)std::rand() / (float)RAND_MAX)) - 1.0f)
#define CCRANDOM_0_1() ((float)std::rand() / (float)RAND_MAX)

#if COCOS2D_DEBUG >= 1
#define CCLOG(format, ...) cocos2d::log(format, ##__VA_ARGS__)
#define CCLOGERROR(format, ...) cocos2d::log(format, ##__VA_ARGS__)
#define CCLOGINFO(format, ...) cocos2d::log(format, ##__VA_ARGS__)
#define CCLOGWARN(...) cocos2d::log(__VA_ARGS__)
#else
#define CCLOG(...)                                                                                           \
    do {                                                                                                     \
    } while (0)
#define CCLOGERROR(...)                                                                                      \
    do {                                                                                                     \
    } while (0)
#define CCLOGINFO(...)                                                                                       \
    do {                                                                                                     \
    } while (0)
#define CCLOGWARN(...)                                                                                       \
    do {                                                                                                     \
    } while (0)
#endif
