#include "base/CCEventMouse.h"

#include "base/CCDirector.h"
#include "base/CCEventListenerMouse.h"

NS_CC_BEGIN

const std::string EventListenerMouse::LISTENER_ID = "__cc_mouse";

EventMouse::EventMouse(MouseEventType mouseEventCode) : Event(Type::MOUSE), _mouseEventType(mouseEventCode) {}

void EventMouse::setCursorPosition(float x, float y) {
    _prevPoint = _point;
    _point.set(x, y);
}

Vec2 EventMouse::getLocationInView() const {
    return Vec2(_point.x, Director::getInstance()->getWinSize().height - _point.y);
}

bool EventListenerMouse::init() {
    return EventListener::init(Type::MOUSE, LISTENER_ID, [this](Event* event) {
        auto* mouse = static_cast<EventMouse*>(event);
        std::function<void(EventMouse*)>* callback = nullptr;
        switch (mouse->getMouseEventType()) {
        case EventMouse::MouseEventType::MOUSE_DOWN:
            callback = &onMouseDown;
            break;
        case EventMouse::MouseEventType::MOUSE_UP:
            callback = &onMouseUp;
            break;
        case EventMouse::MouseEventType::MOUSE_MOVE:
            callback = &onMouseMove;
            break;
        case EventMouse::MouseEventType::MOUSE_SCROLL:
            callback = &onMouseScroll;
            break;
        default:
            break;
        }
        if (callback && *callback) {
            (*callback)(mouse);
        }
    });
}

EventListenerMouse* EventListenerMouse::clone() {
    EventListenerMouse* copy = create();
    if (copy) {
        copy->onMouseDown = onMouseDown;
        copy->onMouseUp = onMouseUp;
        copy->onMouseMove = onMouseMove;
        copy->onMouseScroll = onMouseScroll;
    }
    return copy;
}

NS_CC_END
