#include "app/AppDelegate.h"

#include "app/SceneTable.h"
#include "app/StartupLoad.h"
#include "scenes/Logo.h"

USING_NS_CC;

const Size designResolutionSize = Size(1280, 720);
const Size smallResolutionSize = Size(480, 320);
const Size mediumResolutionSize = Size(1280, 720);
const Size largeResolutionSize = Size(2048, 1536);

namespace {
constexpr float kFramesPerSecond = 60.0f;
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::initGLContextAttrs() {
    GLContextAttrs glContextAttrs = {8, 8, 8, 8, 24, 8, 0};
    GLView::setGLContextAttrs(glContextAttrs);
}

const Size& resolutionClassForFrameHeight(float frameHeight) {
    if (frameHeight > mediumResolutionSize.height) {
        return largeResolutionSize;
    }
    if (frameHeight > smallResolutionSize.height) {
        return mediumResolutionSize;
    }
    return smallResolutionSize;
}

bool AppDelegate::applicationDidFinishLaunching() {
    auto director = Director::getInstance();
    auto glview = director->getOpenGLView();
    if (!glview) {
        glview = GLViewImpl::createWithRect(
            "Solvane", Rect(0, 0, mediumResolutionSize.width, mediumResolutionSize.height), 1.0f, false);
        if (!glview) {
            failNoWindow(); // no display, or none that would give us a window: nothing to show
        }
        director->setOpenGLView(glview);
    }

    director->setAnimationInterval(1.0f / kFramesPerSecond);
    glview->setDesignResolutionSize(designResolutionSize.width, designResolutionSize.height,
                                    ResolutionPolicy::NO_BORDER);

    const Size& chosen = resolutionClassForFrameHeight(glview->getFrameSize().height);
    director->setContentScaleFactor(
        std::min(chosen.width / designResolutionSize.width, chosen.height / designResolutionSize.height));

    // A broken data file ends the program here, before any scene shows, with a message
    // that names the file.
    loadGameDataOrExit();

    installSceneTable();
    director->runWithScene(Logo::create());
    return true;
}

void AppDelegate::applicationDidEnterBackground() {
    Director::getInstance()->stopAnimation();
}

void AppDelegate::applicationWillEnterForeground() {
    Director::getInstance()->startAnimation();
}
