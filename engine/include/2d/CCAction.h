#pragma once

#include <string>

#include "base/CCRef.h"
#include "base/ccMacros.h"
#include "math/CCGeometry.h"

NS_CC_BEGIN

class Node;

// Something done to a node over time. The ActionManager calls step(dt) once per frame; step turns
// time into a progress value and calls update(t) with t in [0, 1].
class Action : public Ref, public Clonable {
public:
    static const int INVALID_TAG = -1;

    virtual std::string description() const;
    virtual Action* clone() const = 0;
    // A new action doing the opposite, or nullptr when there is none.
    virtual Action* reverse() const = 0;

    virtual bool isDone() const { return true; }
    // Called before the first step; captures the start values from target.
    virtual void startWithTarget(Node* target);
    // Called when the action finishes or is stopped by its container. Clears the target.
    virtual void stop();
    virtual void step(float dt);
    virtual void update(float time);

    Node* getTarget() const { return _target; }
    void setTarget(Node* target) { _target = target; }
    Node* getOriginalTarget() const { return _originalTarget; }
    void setOriginalTarget(Node* originalTarget) { _originalTarget = originalTarget; }
    int getTag() const { return _tag; }
    void setTag(int tag) { _tag = tag; }
    unsigned int getFlags() const { return _flags; }
    void setFlags(unsigned int flags) { _flags = flags; }

    CC_CONSTRUCTOR_ACCESS : Action() = default;
    virtual ~Action() = default;

protected:
    Node* _originalTarget = nullptr;
    Node* _target = nullptr;
    int _tag = INVALID_TAG;
    unsigned int _flags = 0;
};

// An action with a known duration (0 for instant actions).
class FiniteTimeAction : public Action {
public:
    float getDuration() const { return _duration; }
    void setDuration(float duration) { _duration = duration; }

    virtual FiniteTimeAction* reverse() const override = 0;
    virtual FiniteTimeAction* clone() const override = 0;

    CC_CONSTRUCTOR_ACCESS : FiniteTimeAction() = default;
    virtual ~FiniteTimeAction() = default;

protected:
    float _duration = 0.0f;
};

NS_CC_END
