#include "base/CCEventListener.h"

#include "base/CCEventListenerCustom.h"
#include "base/CCEventListenerKeyboard.h"
#include "base/CCEventListenerMouse.h"
#include "base/CCEventListenerTouch.h"

NS_CC_BEGIN

const std::string EventListenerKeyboard::LISTENER_ID = "__cc_keyboard";
const std::string EventListenerTouchOneByOne::LISTENER_ID = "__cc_touch_one_by_one";

EventListener::EventListener() = default;

EventListener::~EventListener() = default;

bool EventListener::init(Type type, const ListenerID& listenerID,
                         const std::function<void(Event*)>& callback) {
    _type = type;
    _listenerID = listenerID;
    _onEvent = callback;
    _isRegistered = false;
    _paused = false;
    _isEnabled = true;
    return true;
}

template <class T> static T* createListener() {
    T* listener = new (std::nothrow) T();
    if (listener && listener->init()) {
        listener->autorelease();
        return listener;
    }
    delete listener;
    return nullptr;
}

EventListenerKeyboard* EventListenerKeyboard::create() {
    return createListener<EventListenerKeyboard>();
}

bool EventListenerKeyboard::init() {
    // The dispatcher calls onKeyPressed/onKeyReleased itself; the generic callback is unused.
    return EventListener::init(Type::KEYBOARD, LISTENER_ID, nullptr);
}

bool EventListenerKeyboard::checkAvailable() {
    return onKeyPressed != nullptr || onKeyReleased != nullptr;
}

EventListenerKeyboard* EventListenerKeyboard::clone() {
    EventListenerKeyboard* copy = create();
    if (copy) {
        copy->onKeyPressed = onKeyPressed;
        copy->onKeyReleased = onKeyReleased;
    }
    return copy;
}

EventListenerMouse* EventListenerMouse::create() {
    return createListener<EventListenerMouse>();
}

EventListenerTouchOneByOne* EventListenerTouchOneByOne::create() {
    return createListener<EventListenerTouchOneByOne>();
}

bool EventListenerTouchOneByOne::init() {
    return EventListener::init(Type::TOUCH_ONE_BY_ONE, LISTENER_ID, nullptr);
}

// Without onTouchBegan no touch can ever be claimed, so nothing else would be called.
bool EventListenerTouchOneByOne::checkAvailable() {
    return onTouchBegan != nullptr;
}

EventListenerTouchOneByOne* EventListenerTouchOneByOne::clone() {
    EventListenerTouchOneByOne* copy = create();
    if (copy) {
        copy->onTouchBegan = onTouchBegan;
        copy->onTouchMoved = onTouchMoved;
        copy->onTouchEnded = onTouchEnded;
        copy->onTouchCancelled = onTouchCancelled;
        copy->_needSwallow = _needSwallow;
    }
    return copy;
}

EventListenerCustom* EventListenerCustom::create(const std::string& eventName,
                                                 const std::function<void(EventCustom*)>& callback) {
    EventListenerCustom* listener = new (std::nothrow) EventListenerCustom();
    if (listener && listener->init(eventName, callback)) {
        listener->autorelease();
        return listener;
    }
    delete listener;
    return nullptr;
}

bool EventListenerCustom::init(const ListenerID& listenerId,
                               const std::function<void(EventCustom*)>& callback) {
    _onCustomEvent = callback;
    auto forward = [this](Event* event) {
        if (_onCustomEvent) {
            _onCustomEvent(static_cast<EventCustom*>(event));
        }
    };
    return EventListener::init(Type::CUSTOM, listenerId, forward);
}

bool EventListenerCustom::checkAvailable() {
    return _onCustomEvent != nullptr;
}

EventListenerCustom* EventListenerCustom::clone() {
    return create(_listenerID, _onCustomEvent);
}

NS_CC_END
