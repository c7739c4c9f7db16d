#include "2d/CCActionInstant.h"

#include "2d/CCNode.h"

NS_CC_BEGIN

namespace {
template <class T> T* autoreleased(T* action) {
    action->autorelease();
    return action;
}
} // namespace

void ActionInstant::startWithTarget(Node* target) {
    FiniteTimeAction::startWithTarget(target);
    _done = false;
}

// An instant action applies itself on its first step, whatever the dt.
void ActionInstant::step(float /*dt*/) {
    update(1.0f);
}

void ActionInstant::update(float /*time*/) {
    _done = true;
}

ExtraAction* ExtraAction::create() {
    return autoreleased(new ExtraAction());
}
ExtraAction* ExtraAction::clone() const {
    return create();
}
ExtraAction* ExtraAction::reverse() const {
    return create();
}

Show* Show::create() {
    return autoreleased(new Show());
}
Show* Show::clone() const {
    return create();
}
ActionInstant* Show::reverse() const {
    return Hide::create();
}
void Show::update(float time) {
    ActionInstant::update(time);
    if (_target) {
        _target->setVisible(true);
    }
}

Hide* Hide::create() {
    return autoreleased(new Hide());
}
Hide* Hide::clone() const {
    return create();
}
ActionInstant* Hide::reverse() const {
    return Show::create();
}
void Hide::update(float time) {
    ActionInstant::update(time);
    if (_target) {
        _target->setVisible(false);
    }
}

ToggleVisibility* ToggleVisibility::create() {
    return autoreleased(new ToggleVisibility());
}
ToggleVisibility* ToggleVisibility::clone() const {
    return create();
}
ToggleVisibility* ToggleVisibility::reverse() const {
    return create();
}
void ToggleVisibility::update(float time) {
    ActionInstant::update(time);
    if (_target) {
        _target->setVisible(!_target->isVisible());
    }
}

RemoveSelf* RemoveSelf::create(bool isNeedCleanUp) {
    auto ret = new RemoveSelf();
    ret->init(isNeedCleanUp);
    return autoreleased(ret);
}
bool RemoveSelf::init(bool isNeedCleanUp) {
    _isNeedCleanUp = isNeedCleanUp;
    return true;
}
RemoveSelf* RemoveSelf::clone() const {
    return create(_isNeedCleanUp);
}
RemoveSelf* RemoveSelf::reverse() const {
    return create(_isNeedCleanUp);
}
void RemoveSelf::update(float time) {
    ActionInstant::update(time);
    // With cleanup this stops every action of the target, the running sequence included; the
    // ActionManager keeps both alive until the step is over.
    if (_target) {
        _target->removeFromParentAndCleanup(_isNeedCleanUp);
    }
}

Place* Place::create(const Vec2& pos) {
    auto ret = new Place();
    ret->initWithPosition(pos);
    return autoreleased(ret);
}
bool Place::initWithPosition(const Vec2& pos) {
    _position = pos;
    return true;
}
Place* Place::clone() const {
    return create(_position);
}
Place* Place::reverse() const {
    return clone();
}
void Place::update(float time) {
    ActionInstant::update(time);
    if (_target) {
        _target->setPosition(_position);
    }
}

CallFunc* CallFunc::create(const std::function<void()>& func) {
    auto ret = new CallFunc();
    ret->initWithFunction(func);
    return autoreleased(ret);
}
bool CallFunc::initWithFunction(const std::function<void()>& func) {
    _function = func;
    return true;
}
CallFunc* CallFunc::clone() const {
    return create(_function);
}
CallFunc* CallFunc::reverse() const {
    return clone();
}
void CallFunc::update(float time) {
    ActionInstant::update(time);
    execute();
}
void CallFunc::execute() {
    if (_function) {
        _function();
    }
}

CallFuncN* CallFuncN::create(const std::function<void(Node*)>& func) {
    auto ret = new CallFuncN();
    ret->initWithFunction(func);
    return autoreleased(ret);
}
bool CallFuncN::initWithFunction(const std::function<void(Node*)>& func) {
    _functionN = func;
    return true;
}
CallFuncN* CallFuncN::clone() const {
    return create(_functionN);
}
void CallFuncN::execute() {
    if (_functionN) {
        _functionN(_target);
    }
}

NS_CC_END
