#include "base/CCDirector.h"

#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

#include "2d/CCActionManager.h"
#include "2d/CCScene.h"
#include "2d/CCSpriteFrameCache.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCConsole.h"
#include "base/CCEventDispatcher.h"
#include "base/CCScheduler.h"
#include "platform/CCApplication.h"
#include "platform/CCGLView.h"
#include "renderer/CCRenderer.h"
#include "renderer/CCTextureCache.h"

NS_CC_BEGIN

namespace {
// With SOLVANE_TRACE_SCENES set, every scene that starts running is logged by class name, so
// end-to-end drivers can follow the game from its output.
void traceSceneChange(Scene* scene) {
    if (!std::getenv("SOLVANE_TRACE_SCENES")) {
        return;
    }
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(*scene).name(), nullptr, nullptr, &status);
    log("scene: %s", status == 0 && name ? name : typeid(*scene).name());
    std::free(name);
}
} // namespace

namespace {
Director* g_director = nullptr;
} // namespace

Director* Director::getInstance() {
    if (!g_director) {
        g_director = new (std::nothrow) Director();
        g_director->init();
    }
    return g_director;
}

void Director::destroyInstance() {
    // Forget it first: anything created while it dies must not find the old instance.
    Director* director = g_director;
    g_director = nullptr;
    if (director) {
        director->release();
    }
}

Director::Director() = default;

bool Director::init() {
    _scheduler = new (std::nothrow) Scheduler();
    _actionManager = new (std::nothrow) ActionManager();
    _scheduler->scheduleUpdate(_actionManager, Scheduler::PRIORITY_SYSTEM, false);
    _eventDispatcher = new (std::nothrow) EventDispatcher();
    // Input has nowhere to come from until a view is installed.
    _eventDispatcher->setEnabled(false);
    _textureCache = new (std::nothrow) TextureCache();
    _renderer = new (std::nothrow) Renderer();
    _lastUpdate = std::chrono::steady_clock::now();
    return true;
}

Director::~Director() {
    releaseScenes(false);
    // Running actions retain their targets, which retain the action manager: break the cycle.
    if (_actionManager) {
        _actionManager->removeAllActions();
    }
    if (_scheduler) {
        _scheduler->unscheduleAll();
    }
    CC_SAFE_RELEASE_NULL(_openGLView);
    CC_SAFE_RELEASE_NULL(_textureCache);
    CC_SAFE_RELEASE_NULL(_eventDispatcher);
    CC_SAFE_RELEASE_NULL(_actionManager);
    CC_SAFE_RELEASE_NULL(_scheduler);
    delete _renderer;
    _renderer = nullptr;
    if (g_director == this) {
        g_director = nullptr;
    }
}

// Scenes ---------------------------------------------------------------------------------------

void Director::runWithScene(Scene* scene) {
    if (!scene) {
        log("Director::runWithScene: refused a null scene");
        return;
    }
    if (_runningScene || _nextScene) {
        log("Director::runWithScene: a scene is already running; replacing it instead");
        replaceScene(scene);
        return;
    }
    pushScene(scene);
    startAnimation();
}

void Director::replaceScene(Scene* scene) {
    if (!scene) {
        log("Director::replaceScene: refused a null scene; the current scene stays");
        return;
    }
    if (!_runningScene && !_nextScene) {
        runWithScene(scene);
        return;
    }
    if (scene == _nextScene) {
        return;
    }
    if (_nextScene) {
        // A swap was already pending: that scene never gets shown.
        if (_nextScene->isRunning()) {
            _nextScene->onExit();
        }
        _nextScene->cleanup();
        _nextScene = nullptr;
    }
    scene->retain();
    if (_scenesStack.empty()) {
        _scenesStack.push_back(scene);
    } else {
        _scenesStack.back()->release();
        _scenesStack.back() = scene;
    }
    _sendCleanupToScene = true;
    _nextScene = scene;
}

void Director::pushScene(Scene* scene) {
    if (!scene) {
        log("Director::pushScene: refused a null scene");
        return;
    }
    _sendCleanupToScene = false;
    scene->retain();
    _scenesStack.push_back(scene);
    _nextScene = scene;
}

void Director::popScene() {
    if (_scenesStack.empty()) {
        return;
    }
    _scenesStack.back()->release();
    _scenesStack.pop_back();
    if (_scenesStack.empty()) {
        end();
    } else {
        _sendCleanupToScene = true;
        _nextScene = _scenesStack.back();
    }
}

// The old scene leaves completely before the new one enters; the new one is drawn this frame but
// first updated next frame.
void Director::setNextScene() {
    Scene* outgoing = _runningScene;
    if (outgoing) {
        outgoing->onExitTransitionDidStart();
        outgoing->onExit();
        if (_sendCleanupToScene) {
            outgoing->cleanup();
        }
    }
    _runningScene = _nextScene;
    _nextScene = nullptr;
    _runningScene->retain();
    if (outgoing) {
        outgoing->release();
    }
    _runningScene->onEnter();
    _runningScene->onEnterTransitionDidFinish();
    traceSceneChange(_runningScene);
}

void Director::releaseScenes(bool notify) {
    if (_runningScene) {
        if (notify) {
            _runningScene->onExitTransitionDidStart();
            _runningScene->onExit();
            _runningScene->cleanup();
        }
        _runningScene->release();
        _runningScene = nullptr;
    }
    _nextScene = nullptr;
    std::vector<Scene*> stack;
    stack.swap(_scenesStack);
    for (auto* scene : stack) {
        scene->release();
    }
}

// Sizes ----------------------------------------------------------------------------------------

Size Director::getWinSizeInPixels() const {
    return Size(_winSizeInPoints.width * _contentScaleFactor, _winSizeInPoints.height * _contentScaleFactor);
}

Size Director::getVisibleSize() const {
    return _openGLView ? _openGLView->getVisibleSize() : Size::ZERO;
}

Vec2 Director::getVisibleOrigin() const {
    return _openGLView ? _openGLView->getVisibleOrigin() : Vec2::ZERO;
}

Rect Director::getSafeAreaRect() const {
    return _openGLView ? _openGLView->getVisibleRect() : Rect(Vec2::ZERO, _winSizeInPoints);
}

void Director::setContentScaleFactor(float scaleFactor) {
    if (scaleFactor > 0.0f) {
        _contentScaleFactor = scaleFactor;
    } else {
        log("Director::setContentScaleFactor: refused %f; keeping %f", scaleFactor, _contentScaleFactor);
    }
}

void Director::setOpenGLView(GLView* openGLView) {
    if (openGLView == _openGLView) {
        return;
    }
    CC_SAFE_RETAIN(openGLView);
    CC_SAFE_RELEASE(_openGLView);
    _openGLView = openGLView;
    if (_openGLView) {
        _winSizeInPoints = _openGLView->getDesignResolutionSize();
        _eventDispatcher->setEnabled(true);
    }
}

void Director::updateWinSizeFromView() {
    if (_openGLView) {
        _winSizeInPoints = _openGLView->getDesignResolutionSize();
    }
}

void Director::setScheduler(Scheduler* scheduler) {
    if (scheduler != _scheduler) {
        CC_SAFE_RETAIN(scheduler);
        CC_SAFE_RELEASE(_scheduler);
        _scheduler = scheduler;
    }
}

void Director::setActionManager(ActionManager* actionManager) {
    if (actionManager != _actionManager) {
        CC_SAFE_RETAIN(actionManager);
        CC_SAFE_RELEASE(_actionManager);
        _actionManager = actionManager;
    }
}

NS_CC_END
