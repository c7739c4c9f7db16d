#pragma once

#include "base/CCRef.h"
#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

class Node;

// Base of everything the EventDispatcher delivers. Events are short-lived stack objects owned by
// whoever dispatches them.
class Event : public Ref {
public:
    enum class Type { TOUCH, KEYBOARD, ACCELERATION, MOUSE, FOCUS, GAME_CONTROLLER, CUSTOM };

    explicit Event(Type type);
    virtual ~Event();

    Type getType() const { return _type; }

    // Listeners after the current one no longer see this event.
    void stopPropagation() { _isStopped = true; }
    bool isStopped() const { return _isStopped; }

    // The node of the scene-graph listener being called, nullptr for fixed-priority listeners.
    Node* getCurrentTarget() { return _currentTarget; }

protected:
    friend class EventDispatcher;
    void setCurrentTarget(Node* target) { _currentTarget = target; }

    Type _type;
    bool _isStopped = false;
    Node* _currentTarget = nullptr;
};

NS_CC_END
