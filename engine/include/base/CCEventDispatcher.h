#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/CCEvent.h"
#include "base/CCEventListener.h"
#include "base/CCRef.h"

NS_CC_BEGIN

class EventCustom;
class EventListenerCustom;
class EventTouch;
class Node;

// Routes events to listeners. Order for every event: fixed priorities < 0 (ascending), then
// scene-graph listeners with the top-most drawn node first, then fixed priorities > 0.
// A scene-graph listener only hears events while its node is running in the current scene and
// has not been paused; it is removed when its node is destroyed.
// Listeners added or removed while an event is being dispatched take effect after that dispatch.
class EventDispatcher : public Ref {
public:
    EventDispatcher();
    ~EventDispatcher() override;

    void addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node);
    // fixedPriority must not be 0 (reserved for scene-graph listeners).
    void addEventListenerWithFixedPriority(EventListener* listener, int fixedPriority);
    EventListenerCustom* addCustomEventListener(const std::string& eventName,
                                                const std::function<void(EventCustom*)>& callback);

    void removeEventListener(EventListener* listener);
    void removeEventListenersForType(EventListener::Type listenerType);
    void removeEventListenersForTarget(Node* target, bool recursive = false);
    void removeCustomEventListeners(const std::string& customEventName);
    void removeAllEventListeners();

    void pauseEventListenersForTarget(Node* target, bool recursive = false);
    void resumeEventListenersForTarget(Node* target, bool recursive = false);

    void setPriority(EventListener* listener, int fixedPriority);

    void setEnabled(bool isEnabled) { _isEnabled = isEnabled; }
    bool isEnabled() const { return _isEnabled; }

    void dispatchEvent(Event* event);
    void dispatchCustomEvent(const std::string& eventName, void* optionalUserData = nullptr);

    bool hasEventListener(const EventListener::ListenerID& listenerID) const;

private:
    void addListener(EventListener* listener);
    void commitPendingChanges();
    void detachListener(EventListener* listener);
    bool isActive(EventListener* listener) const;
    std::vector<EventListener*> listenersInOrder(const EventListener::ListenerID& listenerID) const;
    void dispatchTouchEvent(EventTouch* event);
    void dispatchToListeners(Event* event, const EventListener::ListenerID& listenerID);
    template <class F> void forTargets(Node* target, bool recursive, const F& fn);

    // Registered listeners in registration order (each retained once).
    std::vector<EventListener*> _listeners;
    // Added during a dispatch; moved into _listeners when the outermost dispatch returns.
    std::vector<EventListener*> _toAdd;
    int _inDispatch = 0;
    bool _isEnabled = false;
};

NS_CC_END
