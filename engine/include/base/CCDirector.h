#pragma once

#include <chrono>
#include <vector>

#include "base/CCRef.h"
#include "base/ccMacros.h"
#include "math/CCGeometry.h"
#include "math/Vec2.h"

NS_CC_BEGIN

class ActionManager;
class EventDispatcher;
class GLView;
class Renderer;
class Scene;
class Scheduler;
class TextureCache;

// Sequences scenes and runs the frame: input, scheduler (actions, updates, timers), the deferred
// scene swap, drawing, then the autorelease pool. The services it holds (scheduler, action
// manager, event dispatcher, texture cache, renderer) are separate objects.
class Director : public Ref {
public:
    static Director* getInstance();

    void runWithScene(Scene* scene);
    // Deferred: takes effect in the next frame, after the scheduler tick. nullptr is refused.
    void replaceScene(Scene* scene);
    void pushScene(Scene* scene);
    void popScene();
    Scene* getRunningScene() { return _runningScene; }

    const Size& getWinSize() const { return _winSizeInPoints; }
    Size getWinSizeInPixels() const;
    Size getVisibleSize() const;
    Vec2 getVisibleOrigin() const;
    Rect getSafeAreaRect() const;

    void setAnimationInterval(float interval);
    float getAnimationInterval() { return _animationInterval; }
    void setContentScaleFactor(float scaleFactor);
    float getContentScaleFactor() const { return _contentScaleFactor; }
    void setOpenGLView(GLView* openGLView);
    GLView* getOpenGLView() { return _openGLView; }
    void setDisplayStats(bool) {}
    bool isDisplayStats() { return false; }

    void stopAnimation();
    void startAnimation();
    bool isAnimationStopped() const { return _invalid; }
    void end();
    void pause();
    void resume();
    bool isPaused() { return _paused; }
    // One whole frame, timed by the steady clock.
    void mainLoop();
    // One whole frame with a given dt (headless stepping); the first frame after
    // startAnimation still gets 0.
    void mainLoop(float dt);
    float getDeltaTime() const { return _deltaTime; }
    unsigned int getTotalFrames() const { return _totalFrames; }

    Scheduler* getScheduler() const { return _scheduler; }
    void setScheduler(Scheduler* scheduler);
    ActionManager* getActionManager() const { return _actionManager; }
    void setActionManager(ActionManager* actionManager);
    EventDispatcher* getEventDispatcher() const { return _eventDispatcher; }
    TextureCache* getTextureCache() const { return _textureCache; }
    Renderer* getRenderer() const { return _renderer; }

    // Engine side: draws the running scene again as it stands, with no input read and no time
    // passing (a window uncovered while animation is stopped).
    void redrawCurrentFrame() { renderFrame(); }
    // Engine side: called by the view when its design resolution changes.
    void updateWinSizeFromView();
    // Engine side: destroys the instance (scenes, services, caches) so a new one starts clean.
    static void destroyInstance();

    CC_CONSTRUCTOR_ACCESS : Director();
    virtual ~Director();
    bool init();

private:
    void drawScene(float dt);
    void setNextScene();
    void renderFrame();
    void purgeDirector();
    void releaseScenes(bool notify);
    float takeDeltaTime();

    Scheduler* _scheduler = nullptr;
    ActionManager* _actionManager = nullptr;
    EventDispatcher* _eventDispatcher = nullptr;
    TextureCache* _textureCache = nullptr;
    Renderer* _renderer = nullptr;
    GLView* _openGLView = nullptr;

    Scene* _runningScene = nullptr;
    Scene* _nextScene = nullptr;
    std::vector<Scene*> _scenesStack;
    bool _sendCleanupToScene = false;

    Size _winSizeInPoints;
    float _contentScaleFactor = 1.0f;
    float _animationInterval = 1.0f / 60.0f;
    float _deltaTime = 0.0f;
    bool _nextDeltaTimeZero = false;
    bool _invalid = false; // frames run from the start; stopAnimation() pauses them
    bool _paused = false;
    bool _purgeDirectorInNextLoop = false;
    unsigned int _totalFrames = 0;
    std::chrono::steady_clock::time_point _lastUpdate;
};

NS_CC_END
