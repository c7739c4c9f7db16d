#include "base/CCEvent.h"

#include "base/CCDirector.h"
#include "base/CCEventCustom.h"
#include "base/CCEventKeyboard.h"
#include "base/CCEventTouch.h"
#include "base/CCTouch.h"

NS_CC_BEGIN

// Game code and the view's key mapping depend on these exact values.
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_ESCAPE) == 6, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_UP_ARROW) == 28, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_DOWN_ARROW) == 29, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_KP_ENTER) == 35, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_F11) == 57, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_SPACE) == 59, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_0) == 76, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_CAPITAL_A) == 93, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_A) == 124, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_Z) == 149, "key numbering");
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_ENTER) == 164, "key numbering");

Event::Event(Type type) : _type(type) {}

Event::~Event() = default;

EventKeyboard::EventKeyboard(KeyCode keyCode, bool isPressed)
    : Event(Type::KEYBOARD), _keyCode(keyCode), _isPressed(isPressed) {}

EventTouch::EventTouch() : Event(Type::TOUCH) {}

EventCustom::EventCustom(const std::string& eventName) : Event(Type::CUSTOM), _eventName(eventName) {}

void Touch::setTouchInfo(int id, float x, float y) {
    _id = id;
    _prevPoint = _point;
    _point = Vec2(x, y);
    if (!_startPointCaptured) {
        _startPoint = _point;
        _prevPoint = _point;
        _startPointCaptured = true;
    }
}

Vec2 Touch::toView(const Vec2& point) {
    return Vec2(point.x, Director::getInstance()->getWinSize().height - point.y);
}

NS_CC_END
