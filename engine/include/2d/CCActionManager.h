#pragma once

#include <sys/types.h>

#include <memory>
#include <vector>

#include "base/CCRef.h"
#include "base/CCVector.h"

NS_CC_BEGIN

class Action;
class Node;

// Steps every running action once per frame. Retains each action and, while it has actions, its
// target node; a target held by nothing but the manager is dropped with its actions after its step. Actions
// and targets may be added or removed from inside a step (a CallFunc stopping its own sequence, RemoveSelf
// cleaning up its node): removal there only empties the slot, and the slots are compacted when the step is
// over.
class ActionManager : public Ref {
public:
    ActionManager();
    virtual ~ActionManager();

    // Starts the action on target at once (start values are captured now). `paused` applies only when
    // target has no running actions yet.
    void addAction(Action* action, Node* target, bool paused);
    void removeAllActions();
    void removeAllActionsFromTarget(Node* target);
    void removeAction(Action* action);
    void removeActionByTag(int tag, Node* target);
    void removeAllActionsByTag(int tag, Node* target);
    void removeActionsByFlags(unsigned int flags, Node* target);
    Action* getActionByTag(int tag, const Node* target) const;
    ssize_t getNumberOfRunningActionsInTarget(const Node* target) const;
    size_t getNumberOfRunningActionsInTargetByTag(const Node* target, int tag);
    ssize_t getNumberOfRunningActions() const;

    void pauseTarget(Node* target);
    void resumeTarget(Node* target);
    // Pauses every target and returns the ones that were running.
    Vector<Node*> pauseAllRunningActions();
    void resumeTargets(const Vector<Node*>& targetsToResume);

    void update(float dt);

private:
    struct Element;

    Element* findElement(const Node* target) const;
    void stepElement(Element& element, float dt);
    void removeSlot(Element& element, size_t index);
    void compact();

    std::vector<std::unique_ptr<Element>> _targets;
    bool _updating = false;
};

NS_CC_END
