#include "base/CCDirector.h"

#include "2d/CCScene.h"
#include "2d/CCSpriteFrameCache.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCEventDispatcher.h"
#include "base/CCScheduler.h"
#include "base/CCUserDefault.h"
#include "platform/CCApplication.h"
#include "platform/CCGLView.h"
#include "renderer/CCRenderer.h"
#include "renderer/CCTextureCache.h"

NS_CC_BEGIN

namespace {
// Packed pixels of pictures off screen kept for a quick return (a background packs to about
// half a megabyte). The play reads its next pictures ahead, so the rest can be read again
// on the loader thread: 12 MiB here held 2 MiB more at the peak for no fewer slow frames.
constexpr size_t kIdlePictureBytes = 6u * 1024 * 1024;
} // namespace

void Director::setAnimationInterval(float interval) {
    _animationInterval = interval;
    if (!_invalid) {
        stopAnimation();
        startAnimation();
    }
}

void Director::stopAnimation() {
    _invalid = true;
}

void Director::startAnimation() {
    _lastUpdate = std::chrono::steady_clock::now();
    _invalid = false;
    _nextDeltaTimeZero = true;
    if (Application* app = Application::getInstance()) {
        app->setAnimationInterval(_animationInterval);
    }
}

void Director::pause() {
    _paused = true;
}

void Director::resume() {
    if (_paused) {
        _paused = false;
        _nextDeltaTimeZero = true;
    }
}

void Director::end() {
    _purgeDirectorInNextLoop = true;
}

float Director::takeDeltaTime() {
    auto now = std::chrono::steady_clock::now();
    float dt = std::chrono::duration<float>(now - _lastUpdate).count();
    _lastUpdate = now;
    return dt;
}

void Director::mainLoop() {
    mainLoop(takeDeltaTime());
}

void Director::mainLoop(float dt) {
    if (_purgeDirectorInNextLoop) {
        _purgeDirectorInNextLoop = false;
        purgeDirector();
        return;
    }
    if (_invalid) {
        return; // animation stopped: no drawing and no pool drain
    }
    if (_nextDeltaTimeZero) {
        dt = 0.0f;
        _nextDeltaTimeZero = false;
        _lastUpdate = std::chrono::steady_clock::now();
    }
    drawScene(dt < 0.0f ? 0.0f : dt);
    PoolManager::getInstance()->getCurrentPool()->clear();
}

void Director::drawScene(float dt) {
    _deltaTime = dt;
    // Keep ourselves alive should a callback in this frame ask for a reset.
    retain();
    if (_openGLView) {
        _openGLView->pollEvents();
    }
    if (!_paused) {
        // Pictures read ahead arrive before anything in the frame can ask for them.
        _textureCache->deliverAsyncImages();
        _scheduler->update(_deltaTime);
    }
    // Scene changes requested during input or the tick land here, before anything is drawn.
    const bool sceneChanged = _nextScene != nullptr;
    if (sceneChanged) {
        setNextScene();
    }
    renderFrame();
    ++_totalFrames;
    // Pictures off screen are packed (a question's background or heroine often comes back) and
    // the least recent let go; a new scene keeps only what it loaded or drew.
    _textureCache->releaseIdlePixels(_totalFrames, sceneChanged ? 0 : kIdlePictureBytes);
    release();
}

void Director::renderFrame() {
    if (!_openGLView || !_openGLView->getSDLRenderer()) {
        return;
    }
    const Size& frame = _openGLView->getFrameSize();
    _renderer->beginFrame(_openGLView->getSDLRenderer(), _openGLView->getViewPortRect(),
                          _openGLView->getScaleX(), _openGLView->getScaleY(), frame.height,
                          _openGLView->getFrameSurface());
    if (_runningScene) {
        _runningScene->visit(_renderer, Mat4::IDENTITY, 0);
    }
    _renderer->endFrame();
    _openGLView->swapBuffers();
}

// end(): the running scene leaves, every timer and listener goes, the caches and the store are
// dropped, the view is told to close, and the Director itself is destroyed.
void Director::purgeDirector() {
    releaseScenes(true);
    stopAnimation();
    _scheduler->unscheduleAll();
    _eventDispatcher->removeAllEventListeners();
    SpriteFrameCache::destroyInstance();
    _textureCache->removeAllTextures();
    UserDefault::destroyInstance();
    if (_openGLView) {
        _openGLView->end();
    }
    PoolManager::getInstance()->getCurrentPool()->clear();
    destroyInstance();
}

NS_CC_END
