#pragma once

#include "cocos2d.h"

// The application delegate: opens the window, sets the resolution policy, loads the game
// data once and runs the first scene. The background hooks only stop and start drawing;
// the music keeps playing.
class AppDelegate : private cocos2d::Application {
public:
    AppDelegate() = default;
    ~AppDelegate() override;

    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;
    void initGLContextAttrs() override;
};

extern const cocos2d::Size designResolutionSize;
extern const cocos2d::Size smallResolutionSize;
extern const cocos2d::Size mediumResolutionSize;
extern const cocos2d::Size largeResolutionSize;

// The size class of a frame, chosen by its height alone with strict comparisons.
const cocos2d::Size& resolutionClassForFrameHeight(float frameHeight);
