#pragma once

#include <string>

#include "base/CCEvent.h"

NS_CC_BEGIN

class EventCustom : public Event {
public:
    explicit EventCustom(const std::string& eventName);

    void setUserData(void* data) { _userData = data; }
    void* getUserData() const { return _userData; }
    const std::string& getEventName() const { return _eventName; }

private:
    void* _userData = nullptr;
    std::string _eventName;
};

NS_CC_END
