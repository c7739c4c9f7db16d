#pragma once

#include <vector>

#include "base/CCEventListener.h"
#include "base/CCEventTouch.h"

NS_CC_BEGIN

// Receives each touch separately. A touch reaches moved/ended/cancelled only if onTouchBegan
// returned true for it (the listener "claimed" it); a claimed touch is hidden from later listeners
// when the listener swallows touches.
class EventListenerTouchOneByOne : public EventListener {
public:
    static const std::string LISTENER_ID;

    typedef std::function<bool(Touch*, Event*)> ccTouchBeganCallback;
    typedef std::function<void(Touch*, Event*)> ccTouchCallback;

    static EventListenerTouchOneByOne* create();

    void setSwallowTouches(bool needSwallow) { _needSwallow = needSwallow; }
    bool isSwallowTouches() const { return _needSwallow; }

    EventListenerTouchOneByOne* clone() override;
    bool checkAvailable() override;

    ccTouchBeganCallback onTouchBegan;
    ccTouchCallback onTouchMoved;
    ccTouchCallback onTouchEnded;
    ccTouchCallback onTouchCancelled;

    CC_CONSTRUCTOR_ACCESS : EventListenerTouchOneByOne() = default;
    bool init();

private:
    friend class EventDispatcher;

    std::vector<Touch*> _claimedTouches;
    bool _needSwallow = false;
};

NS_CC_END
