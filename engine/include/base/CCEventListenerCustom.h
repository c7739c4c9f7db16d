#pragma once

#include "base/CCEventCustom.h"
#include "base/CCEventListener.h"

NS_CC_BEGIN

class EventListenerCustom : public EventListener {
public:
    static EventListenerCustom* create(const std::string& eventName,
                                       const std::function<void(EventCustom*)>& callback);

    bool checkAvailable() override;
    EventListenerCustom* clone() override;

    CC_CONSTRUCTOR_ACCESS : EventListenerCustom() = default;
    bool init(const ListenerID& listenerId, const std::function<void(EventCustom*)>& callback);

protected:
    std::function<void(EventCustom*)> _onCustomEvent;
};

NS_CC_END
