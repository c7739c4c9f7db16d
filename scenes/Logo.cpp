#include "scenes/Logo.h"

#include "shell/Constants.h"
#include "shell/SceneFlow.h"

USING_NS_CC;

namespace {
constexpr float kFadeSeconds = 0.625f;
constexpr float kHoldSeconds = 1.875f;
// True once the first run has happened, despite its name.
const char* const kFirstRunDoneKey = "isFirstTime";
} // namespace

bool Logo::init() {
    if (!Scene::init()) {
        return false;
    }
    const Size visibleSize = Director::getInstance()->getVisibleSize();
    const Vec2 origin = Director::getInstance()->getVisibleOrigin();

    auto logo = Sprite::create(kLogoImagePath);
    if (logo) {
        logo->setScaleX(visibleSize.width / logo->getContentSize().width);
        logo->setScaleY(visibleSize.height / logo->getContentSize().height);
        logo->setPosition(visibleSize.width * 0.5f + origin.x, visibleSize.height * 0.5f + origin.y);
        logo->setOpacity(0);
        addChild(logo, 0);
    } else {
        reportLoadError(kLogoImagePath);
    }

    // Without a logo the timeline still runs, so the routing happens at the same moment.
    auto fadeIn = CallFunc::create([logo]() {
        if (logo) {
            logo->runAction(FadeIn::create(kFadeSeconds));
        }
    });
    auto fadeOut = CallFunc::create([logo]() {
        if (logo) {
            logo->runAction(FadeOut::create(kFadeSeconds));
        }
    });
    auto route = CallFunc::create([this]() { routeAfterLogo(); });
    runAction(Sequence::create(fadeIn, DelayTime::create(kHoldSeconds), fadeOut,
                               DelayTime::create(kFadeSeconds), route, nullptr));
    return true;
}

void Logo::routeAfterLogo() {
    auto store = UserDefault::getInstance();
    if (store->getBoolForKey(kFirstRunDoneKey)) {
        changeScene(SceneChange::LogoToTitle, this);
        return;
    }
    store->setBoolForKey(kFirstRunDoneKey, true);
    changeScene(SceneChange::LogoToTutorial, this);
}
