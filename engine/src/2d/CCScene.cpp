#include "2d/CCScene.h"

#include "base/CCDirector.h"

NS_CC_BEGIN

Scene* Scene::create() {
    auto* scene = new (std::nothrow) Scene();
    if (scene && scene->init()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

Scene* Scene::createWithSize(const Size& size) {
    auto* scene = new (std::nothrow) Scene();
    if (scene && scene->initWithSize(size)) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

Scene::Scene() {
    _ignoreAnchorPointForPosition = true;
    setAnchorPoint(Vec2(0.5f, 0.5f));
}

Scene::~Scene() = default;

bool Scene::init() {
    return initWithSize(Director::getInstance()->getWinSize());
}

bool Scene::initWithSize(const Size& size) {
    setContentSize(size);
    return true;
}

NS_CC_END
