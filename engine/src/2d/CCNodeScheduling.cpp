#include "2d/CCNode.h"

#include "2d/CCAction.h"
#include "2d/CCActionManager.h"
#include "base/CCConsole.h"
#include "base/CCScheduler.h"

NS_CC_BEGIN

Action* Node::runAction(Action* action) {
    if (!action) {
        log("Node::runAction: ignored a null action (tag %d, name '%s')", _tag, _name.c_str());
        return nullptr;
    }
    // The action starts at once (start values captured now); it is paused until the node runs.
    _actionManager->addAction(action, this, !_running);
    return action;
}

void Node::stopAllActions() {
    _actionManager->removeAllActionsFromTarget(this);
}

void Node::stopAction(Action* action) {
    if (action) {
        _actionManager->removeAction(action);
    }
}

void Node::stopActionByTag(int tag) {
    _actionManager->removeActionByTag(tag, this);
}

void Node::stopAllActionsByTag(int tag) {
    while (_actionManager->getActionByTag(tag, this)) {
        _actionManager->removeActionByTag(tag, this);
    }
}

Action* Node::getActionByTag(int tag) {
    return _actionManager->getActionByTag(tag, this);
}

ssize_t Node::getNumberOfRunningActions() const {
    return static_cast<ssize_t>(_actionManager->getNumberOfRunningActionsInTarget(this));
}

void Node::setActionManager(ActionManager* actionManager) {
    if (actionManager == _actionManager) {
        return;
    }
    stopAllActions();
    CC_SAFE_RETAIN(actionManager);
    CC_SAFE_RELEASE(_actionManager);
    _actionManager = actionManager;
}

void Node::scheduleUpdate() {
    scheduleUpdateWithPriority(0);
}

void Node::scheduleUpdateWithPriority(int priority) {
    _scheduler->scheduleUpdate(this, priority, !_running);
}

void Node::unscheduleUpdate() {
    _scheduler->unscheduleUpdate(this);
}

void Node::update(float) {}

void Node::schedule(const std::function<void(float)>& callback, const std::string& key) {
    schedule(callback, 0.0f, CC_REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const std::function<void(float)>& callback, float interval, const std::string& key) {
    schedule(callback, interval, CC_REPEAT_FOREVER, 0.0f, key);
}

void Node::schedule(const std::function<void(float)>& callback, float interval, unsigned int repeat,
                    float delay, const std::string& key) {
    _scheduler->schedule(callback, this, interval, repeat, delay, !_running, key);
}

void Node::scheduleOnce(const std::function<void(float)>& callback, float delay, const std::string& key) {
    schedule(callback, 0.0f, 0, delay, key);
}

void Node::unschedule(const std::string& key) {
    _scheduler->unschedule(key, this);
}

void Node::unscheduleAllCallbacks() {
    _scheduler->unscheduleAllForTarget(this);
}

bool Node::isScheduled(const std::string& key) const {
    return _scheduler->isScheduled(key, this);
}

void Node::setScheduler(Scheduler* scheduler) {
    if (scheduler == _scheduler) {
        return;
    }
    unscheduleAllCallbacks();
    CC_SAFE_RETAIN(scheduler);
    CC_SAFE_RELEASE(_scheduler);
    _scheduler = scheduler;
}

// Opacity and colour ---------------------------------------------------------------------------
// Real values are what the node was given; displayed values include the parent's when the parent
// cascades. Nothing cascades unless asked to.

void Node::setOpacity(GLubyte opacity) {
    _realOpacity = opacity;
    GLubyte parentOpacity =
        (_parent && _parent->isCascadeOpacityEnabled()) ? _parent->getDisplayedOpacity() : 255;
    updateDisplayedOpacity(parentOpacity);
}

void Node::updateDisplayedOpacity(GLubyte parentOpacity) {
    _displayedOpacity = static_cast<GLubyte>(_realOpacity * parentOpacity / 255.0f);
    if (_cascadeOpacityEnabled) {
        cascadeOpacityToChildren();
    }
}

void Node::cascadeOpacityToChildren() {
    for (auto* child : _children) {
        child->updateDisplayedOpacity(_displayedOpacity);
    }
}

void Node::setCascadeOpacityEnabled(bool enabled) {
    if (_cascadeOpacityEnabled == enabled) {
        return;
    }
    _cascadeOpacityEnabled = enabled;
    if (enabled) {
        setOpacity(_realOpacity);
    } else {
        disableCascadeOpacity();
    }
}

void Node::disableCascadeOpacity() {
    _displayedOpacity = _realOpacity;
    for (auto* child : _children) {
        child->updateDisplayedOpacity(255);
    }
}

void Node::setColor(const Color3B& color) {
    _realColor = color;
    Color3B parentColor =
        (_parent && _parent->isCascadeColorEnabled()) ? _parent->getDisplayedColor() : Color3B::WHITE;
    updateDisplayedColor(parentColor);
}

void Node::updateDisplayedColor(const Color3B& parentColor) {
    _displayedColor.r = static_cast<GLubyte>(_realColor.r * parentColor.r / 255.0f);
    _displayedColor.g = static_cast<GLubyte>(_realColor.g * parentColor.g / 255.0f);
    _displayedColor.b = static_cast<GLubyte>(_realColor.b * parentColor.b / 255.0f);
    if (_cascadeColorEnabled) {
        cascadeColorToChildren();
    }
}

void Node::cascadeColorToChildren() {
    for (auto* child : _children) {
        child->updateDisplayedColor(_displayedColor);
    }
}

void Node::setCascadeColorEnabled(bool enabled) {
    if (_cascadeColorEnabled == enabled) {
        return;
    }
    _cascadeColorEnabled = enabled;
    if (enabled) {
        setColor(_realColor);
    } else {
        disableCascadeColor();
    }
}

void Node::disableCascadeColor() {
    _displayedColor = _realColor;
    for (auto* child : _children) {
        child->updateDisplayedColor(Color3B::WHITE);
    }
}

NS_CC_END
