#pragma once

#include <functional>
#include <string>

#include "base/CCRef.h"
#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

class Event;
class Node;

// A set of callbacks registered with the EventDispatcher. The dispatcher retains a registered
// listener; one listener object can be registered only once.
class EventListener : public Ref {
public:
    enum class Type {
        UNKNOWN,
        TOUCH_ONE_BY_ONE,
        TOUCH_ALL_AT_ONCE,
        KEYBOARD,
        MOUSE,
        ACCELERATION,
        FOCUS,
        GAME_CONTROLLER,
        CUSTOM
    };

    typedef std::string ListenerID;

    EventListener();
    virtual ~EventListener();

    // False when the listener has no callback worth calling; the dispatcher refuses such listeners.
    virtual bool checkAvailable() = 0;
    virtual EventListener* clone() = 0;

    // A disabled listener stays registered but receives nothing.
    void setEnabled(bool enabled) { _isEnabled = enabled; }
    bool isEnabled() const { return _isEnabled; }

    Type getType() const { return _type; }
    const ListenerID& getListenerID() const { return _listenerID; }

protected:
    friend class EventDispatcher;

    bool init(Type type, const ListenerID& listenerID, const std::function<void(Event*)>& callback);

    void setPaused(bool paused) { _paused = paused; }
    bool isPaused() const { return _paused; }
    void setRegistered(bool registered) { _isRegistered = registered; }
    bool isRegistered() const { return _isRegistered; }
    void setFixedPriority(int fixedPriority) { _fixedPriority = fixedPriority; }
    int getFixedPriority() const { return _fixedPriority; }
    void setAssociatedNode(Node* node) { _node = node; }
    Node* getAssociatedNode() const { return _node; }

    std::function<void(Event*)> _onEvent;
    Type _type = Type::UNKNOWN;
    ListenerID _listenerID;
    bool _isRegistered = false;
    bool _paused = false;
    bool _isEnabled = true;
    // 0 for scene-graph listeners, which are ordered by their node instead.
    int _fixedPriority = 0;
    Node* _node = nullptr;
};

NS_CC_END
