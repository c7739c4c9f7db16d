#pragma once

#include <vector>

#include "base/CCEvent.h"
#include "base/CCTouch.h"

NS_CC_BEGIN

class EventTouch : public Event {
public:
    static const int MAX_TOUCHES = 15;

    enum class EventCode { BEGAN, MOVED, ENDED, CANCELLED };

    EventTouch();

    EventCode getEventCode() const { return _eventCode; }
    const std::vector<Touch*>& getTouches() const { return _touches; }

    void setEventCode(EventCode eventCode) { _eventCode = eventCode; }
    // The touches are not retained: the sender keeps them alive for the duration of the dispatch.
    void setTouches(const std::vector<Touch*>& touches) { _touches = touches; }

private:
    EventCode _eventCode = EventCode::BEGAN;
    std::vector<Touch*> _touches;
};

NS_CC_END
