// Opens a 640x360 window and logs every key press ("key <code>") and every released touch
// ("touch <x> <y>", design points). "ready" is logged after the first frame. Escape ends the program
// through Director::end(); closing the window ends it too. Either way the exit code is 0.
#include "cocos2d.h"

USING_NS_CC;

namespace {

const float kWidth = 640;
const float kHeight = 360;

class DemoApp : private Application {
public:
    void initGLContextAttrs() override {
        GLContextAttrs attrs = {8, 8, 8, 8, 24, 8, 0};
        GLView::setGLContextAttrs(attrs);
    }

    bool applicationDidFinishLaunching() override {
        Director* director = Director::getInstance();
        GLView* view = GLViewImpl::createWithRect("Solvane input demo", Rect(0, 0, kWidth, kHeight));
        if (!view) {
            return false;
        }
        director->setOpenGLView(view);
        view->setDesignResolutionSize(kWidth, kHeight, ResolutionPolicy::SHOW_ALL);
        director->runWithScene(makeScene());
        return true;
    }

    void applicationDidEnterBackground() override { log("background"); }
    void applicationWillEnterForeground() override { log("foreground"); }

private:
    Scene* makeScene() {
        Scene* scene = Scene::create();
        scene->addChild(LayerColor::create(Color4B(30, 60, 90, 255)));

        auto* keys = EventListenerKeyboard::create();
        keys->onKeyPressed = [](EventKeyboard::KeyCode code, Event*) {
            log("key %d", static_cast<int>(code));
            if (code == EventKeyboard::KeyCode::KEY_ESCAPE) {
                Director::getInstance()->end();
            }
        };
        scene->getEventDispatcher()->addEventListenerWithSceneGraphPriority(keys, scene);

        auto* touches = EventListenerTouchOneByOne::create();
        touches->onTouchBegan = [](Touch*, Event*) { return true; };
        touches->onTouchEnded = [](Touch* touch, Event*) {
            log("touch %.0f %.0f", touch->getLocation().x, touch->getLocation().y);
        };
        scene->getEventDispatcher()->addEventListenerWithSceneGraphPriority(touches, scene);

        scene->scheduleOnce([](float) { log("ready"); }, 0.0f, "ready");
        return scene;
    }
};

} // namespace

int main(int, char**) {
    DemoApp app;
    return Application::getInstance()->run();
}
