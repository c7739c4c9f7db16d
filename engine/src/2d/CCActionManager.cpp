#include "2d/CCActionManager.h"

#include <algorithm>

#include "2d/CCAction.h"
#include "2d/CCNode.h"
#include "base/CCConsole.h"

NS_CC_BEGIN

// One target and its actions in the order they were added. A removed action leaves a null slot
// while a step is running; compact() drops null slots and empty targets afterwards.
struct ActionManager::Element {
    Node* target = nullptr;
    std::vector<Action*> actions;
    bool paused = false;

    bool empty() const {
        return std::all_of(actions.begin(), actions.end(), [](Action* a) { return a == nullptr; });
    }
};

ActionManager::ActionManager() = default;

ActionManager::~ActionManager() {
    removeAllActions();
}

ActionManager::Element* ActionManager::findElement(const Node* target) const {
    for (const auto& element : _targets) {
        if (element->target == target) {
            return element.get();
        }
    }
    return nullptr;
}

void ActionManager::addAction(Action* action, Node* target, bool paused) {
    if (action == nullptr || target == nullptr) {
        log("ActionManager: ignored an action without %s", action == nullptr ? "an action" : "a target");
        return;
    }
    Element* element = findElement(target);
    if (element == nullptr) {
        _targets.emplace_back(new Element());
        element = _targets.back().get();
        element->target = target;
        element->paused = paused;
        target->retain();
    }
    if (std::find(element->actions.begin(), element->actions.end(), action) != element->actions.end()) {
        log("ActionManager: the action is already running on this target");
        return;
    }
    action->retain();
    element->actions.push_back(action);
    action->startWithTarget(target);
}

void ActionManager::removeSlot(Element& element, size_t index) {
    Action* action = element.actions[index];
    if (action == nullptr) {
        return;
    }
    if (_updating) {
        element.actions[index] = nullptr;
    } else {
        element.actions.erase(element.actions.begin() + static_cast<std::ptrdiff_t>(index));
    }
    action->release();
}

void ActionManager::removeAllActions() {
    for (size_t i = 0; i < _targets.size(); ++i) {
        Element& element = *_targets[i];
        for (size_t j = element.actions.size(); j-- > 0;) {
            removeSlot(element, j);
        }
    }
    compact();
}

void ActionManager::removeAllActionsFromTarget(Node* target) {
    Element* element = findElement(target);
    if (element == nullptr) {
        return;
    }
    for (size_t j = element->actions.size(); j-- > 0;) {
        removeSlot(*element, j);
    }
    compact();
}

void ActionManager::removeAction(Action* action) {
    if (action == nullptr) {
        return;
    }
    Element* element = findElement(action->getOriginalTarget());
    if (element == nullptr) {
        return;
    }
    auto& actions = element->actions;
    auto iter = std::find(actions.begin(), actions.end(), action);
    if (iter != actions.end()) {
        removeSlot(*element, static_cast<size_t>(iter - actions.begin()));
        compact();
    }
}

void ActionManager::removeActionByTag(int tag, Node* target) {
    Element* element = findElement(target);
    if (element == nullptr) {
        return;
    }
    for (size_t j = 0; j < element->actions.size(); ++j) {
        Action* action = element->actions[j];
        if (action != nullptr && action->getTag() == tag) {
            removeSlot(*element, j);
            break;
        }
    }
    compact();
}

void ActionManager::removeAllActionsByTag(int tag, Node* target) {
    Element* element = findElement(target);
    if (element == nullptr) {
        return;
    }
    for (size_t j = element->actions.size(); j-- > 0;) {
        Action* action = element->actions[j];
        if (action != nullptr && action->getTag() == tag) {
            removeSlot(*element, j);
        }
    }
    compact();
}

void ActionManager::removeActionsByFlags(unsigned int flags, Node* target) {
    Element* element = findElement(target);
    if (element == nullptr || flags == 0) {
        return;
    }
    for (size_t j = element->actions.size(); j-- > 0;) {
        Action* action = element->actions[j];
        if (action != nullptr && (action->getFlags() & flags) != 0) {
            removeSlot(*element, j);
        }
    }
    compact();
}

Action* ActionManager::getActionByTag(int tag, const Node* target) const {
    Element* element = findElement(target);
    if (element == nullptr) {
        return nullptr;
    }
    for (Action* action : element->actions) {
        if (action != nullptr && action->getTag() == tag) {
            return action;
        }
    }
    return nullptr;
}

ssize_t ActionManager::getNumberOfRunningActionsInTarget(const Node* target) const {
    Element* element = findElement(target);
    if (element == nullptr) {
        return 0;
    }
    return std::count_if(element->actions.begin(), element->actions.end(),
                         [](Action* a) { return a != nullptr; });
}

size_t ActionManager::getNumberOfRunningActionsInTargetByTag(const Node* target, int tag) {
    Element* element = findElement(target);
    if (element == nullptr) {
        return 0;
    }
    return std::count_if(element->actions.begin(), element->actions.end(),
                         [tag](Action* a) { return a != nullptr && a->getTag() == tag; });
}

ssize_t ActionManager::getNumberOfRunningActions() const {
    ssize_t count = 0;
    for (const auto& element : _targets) {
        count += getNumberOfRunningActionsInTarget(element->target);
    }
    return count;
}

void ActionManager::pauseTarget(Node* target) {
    if (Element* element = findElement(target)) {
        element->paused = true;
    }
}

void ActionManager::resumeTarget(Node* target) {
    if (Element* element = findElement(target)) {
        element->paused = false;
    }
}

Vector<Node*> ActionManager::pauseAllRunningActions() {
    Vector<Node*> paused;
    for (auto& element : _targets) {
        if (!element->paused) {
            element->paused = true;
            paused.pushBack(element->target);
        }
    }
    return paused;
}

void ActionManager::resumeTargets(const Vector<Node*>& targetsToResume) {
    for (Node* node : targetsToResume) {
        resumeTarget(node);
    }
}

void ActionManager::update(float dt) {
    _updating = true;
    // Targets and actions added during the step are appended and stepped in this same pass.
    for (size_t i = 0; i < _targets.size(); ++i) {
        Element* element = _targets[i].get();
        if (!element->paused) {
            stepElement(*element, dt);
        }
        // A target nothing else holds any more (removed from its parent, never added) is
        // dropped with its actions rather than animated unseen for ever.
        if (element->target->getReferenceCount() == 1) {
            for (size_t j = element->actions.size(); j-- > 0;) {
                removeSlot(*element, j);
            }
        }
    }
    _updating = false;
    compact();
}

void ActionManager::stepElement(Element& element, float dt) {
    for (size_t j = 0; j < element.actions.size(); ++j) {
        Action* action = element.actions[j];
        if (action == nullptr) {
            continue;
        }
        // Held for the step: the action may remove itself (or its whole target) while it runs.
        action->retain();
        action->step(dt);
        if (element.actions[j] == action && action->isDone()) {
            action->stop();
            // stop() may itself have removed the action.
            if (element.actions[j] == action) {
                removeSlot(element, j);
            }
        }
        action->release();
    }
}

void ActionManager::compact() {
    if (_updating) {
        return;
    }
    // Detach finished targets before releasing them: a target's destructor calls back into
    // removeAllActionsFromTarget, which must find a consistent list.
    std::vector<Node*> released;
    for (auto& element : _targets) {
        auto& actions = element->actions;
        actions.erase(std::remove(actions.begin(), actions.end(), nullptr), actions.end());
        if (actions.empty()) {
            released.push_back(element->target);
        }
    }
    _targets.erase(std::remove_if(_targets.begin(), _targets.end(),
                                  [](const std::unique_ptr<Element>& e) { return e->actions.empty(); }),
                   _targets.end());
    for (Node* node : released) {
        node->release();
    }
}

NS_CC_END
