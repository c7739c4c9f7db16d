#include "ext/Headless.h"

#include "2d/CCSpriteFrameCache.h"
#include "audio/include/AudioEngine.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCUserDefault.h"
#include "platform/headless/HeadlessView.h"
#include "text/FontCache.h"

namespace cocos2d {
namespace ext {

namespace {
// Sticky: a process that ever went headless is a test or a tool and stays silent.
bool g_headless = false;

HeadlessView* currentHeadlessView() {
    Director* director = Director::getInstance();
    return dynamic_cast<HeadlessView*>(director->getOpenGLView());
}
} // namespace

void startHeadless(int frameWidth, int frameHeight) {
    HeadlessView* view = HeadlessView::create(frameWidth, frameHeight);
    if (!view) {
        log("startHeadless: no headless view could be created");
        return;
    }
    g_headless = true;
    Director::getInstance()->setOpenGLView(view);
}

void step(float dt, int frames) {
    for (int i = 0; i < frames; ++i) {
        Director::getInstance()->mainLoop(dt);
    }
}

bool saveFrame(const std::string& pngPath) {
    HeadlessView* view = currentHeadlessView();
    if (!view) {
        log("saveFrame: no headless view; '%s' not written", pngPath.c_str());
        return false;
    }
    return view->saveFrame(pngPath);
}

unsigned int framePixel(int x, int y) {
    HeadlessView* view = currentHeadlessView();
    return view ? view->pixel(x, y) : 0u;
}

void resetAll() {
    experimental::AudioEngine::end();
    // Anything still waiting in the pool goes first, while the services it may touch exist.
    PoolManager::getInstance()->getCurrentPool()->clear();
    Director::destroyInstance();
    SpriteFrameCache::destroyInstance();
    UserDefault::destroyInstance();
    PoolManager::getInstance()->getCurrentPool()->clear();
    text::FontCache::clear();
}

bool isHeadless() {
    return g_headless;
}

} // namespace ext
} // namespace cocos2d
