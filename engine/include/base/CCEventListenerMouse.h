#pragma once

#include <functional>

#include "base/CCEventListener.h"
#include "base/CCEventMouse.h"

NS_CC_BEGIN

// Mouse callbacks. Every active listener hears every mouse event (top-most first) unless one
// calls stopPropagation(); nothing is claimed or swallowed as touches are.
class EventListenerMouse : public EventListener {
public:
    static const std::string LISTENER_ID;

    static EventListenerMouse* create();

    EventListenerMouse* clone() override;
    bool checkAvailable() override { return true; }

    std::function<void(EventMouse*)> onMouseDown;
    std::function<void(EventMouse*)> onMouseUp;
    std::function<void(EventMouse*)> onMouseMove;
    std::function<void(EventMouse*)> onMouseScroll;

    CC_CONSTRUCTOR_ACCESS : EventListenerMouse() = default;
    bool init();
};

NS_CC_END
