#pragma once

#include "base/CCEventKeyboard.h"
#include "base/CCEventListener.h"

NS_CC_BEGIN

class EventListenerKeyboard : public EventListener {
public:
    static const std::string LISTENER_ID;

    static EventListenerKeyboard* create();

    EventListenerKeyboard* clone() override;
    bool checkAvailable() override;

    std::function<void(EventKeyboard::KeyCode, Event*)> onKeyPressed;
    std::function<void(EventKeyboard::KeyCode, Event*)> onKeyReleased;

    CC_CONSTRUCTOR_ACCESS : EventListenerKeyboard() = default;
    bool init();
};

NS_CC_END
