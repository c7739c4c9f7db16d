#include "2d/CCNode.h"

#include <algorithm>

#include "2d/CCActionManager.h"
#include "2d/CCScene.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "base/CCScheduler.h"

NS_CC_BEGIN

namespace {
// Arrival numbers order siblings of equal z; they only ever grow, so a node re-added or re-ordered
// goes after its equals.
unsigned int g_nextOrderOfArrival = 1;
} // namespace

Node* Node::create() {
    auto* node = new (std::nothrow) Node();
    if (node && node->init()) {
        node->autorelease();
        return node;
    }
    delete node;
    return nullptr;
}

Node::Node() : _realColor(Color3B::WHITE), _displayedColor(Color3B::WHITE) {
    // The services are retained so a node outliving a Director reset can still unregister itself.
    _director = Director::getInstance();
    _scheduler = _director->getScheduler();
    CC_SAFE_RETAIN(_scheduler);
    _actionManager = _director->getActionManager();
    CC_SAFE_RETAIN(_actionManager);
    _eventDispatcher = _director->getEventDispatcher();
    CC_SAFE_RETAIN(_eventDispatcher);
}

Node::~Node() {
    for (auto* child : _children) {
        child->_parent = nullptr;
    }
    CC_SAFE_RELEASE(_userObject);
    if (_actionManager) {
        _actionManager->removeAllActionsFromTarget(this);
    }
    if (_scheduler) {
        _scheduler->unscheduleAllForTarget(this);
    }
    if (_eventDispatcher) {
        _eventDispatcher->removeEventListenersForTarget(this);
    }
    CC_SAFE_RELEASE(_eventDispatcher);
    CC_SAFE_RELEASE(_actionManager);
    CC_SAFE_RELEASE(_scheduler);
}

bool Node::init() {
    return true;
}

void Node::setUserObject(Ref* userObject) {
    CC_SAFE_RETAIN(userObject);
    CC_SAFE_RELEASE(_userObject);
    _userObject = userObject;
}

void Node::addChild(Node* child) {
    if (child) {
        addChildHelper(child, child->_localZOrder, child->_tag, child->_name, true);
    } else {
        addChildHelper(child, 0, INVALID_TAG, "", true);
    }
}

void Node::addChild(Node* child, int localZOrder) {
    addChildHelper(child, localZOrder, child ? child->_tag : INVALID_TAG, child ? child->_name : "", true);
}

void Node::addChild(Node* child, int localZOrder, int tag) {
    addChildHelper(child, localZOrder, tag, "", true);
}

void Node::addChild(Node* child, int localZOrder, const std::string& name) {
    addChildHelper(child, localZOrder, INVALID_TAG, name, false);
}

// Sets either the tag (keeping the name) or the name (keeping the tag).
void Node::addChildHelper(Node* child, int localZOrder, int tag, const std::string& name, bool setTag) {
    if (!child) {
        log("Node::addChild: ignored a null child (parent tag %d, name '%s')", _tag, _name.c_str());
        return;
    }
    if (child->_parent || child == this) {
        log("Node::addChild: child (tag %d, name '%s') already has a parent; ignored", child->_tag,
            child->_name.c_str());
        return;
    }
    insertChild(child, localZOrder);
    if (setTag) {
        child->setTag(tag);
    } else {
        child->setName(name);
    }
    child->setParent(this);
    if (_running) {
        child->onEnter();
        if (_transitionFinished) {
            child->onEnterTransitionDidFinish();
        }
    }
    if (_cascadeColorEnabled) {
        child->updateDisplayedColor(_displayedColor);
    }
    if (_cascadeOpacityEnabled) {
        child->updateDisplayedOpacity(_displayedOpacity);
    }
}

void Node::insertChild(Node* child, int localZOrder) {
    _reorderChildDirty = true;
    _children.pushBack(child);
    child->_localZOrder = localZOrder;
    child->_orderOfArrival = g_nextOrderOfArrival++;
}

Node* Node::getChildByTag(int tag) const {
    for (auto* child : _children) {
        if (child && child->_tag == tag) {
            return child;
        }
    }
    return nullptr;
}

Node* Node::getChildByName(const std::string& name) const {
    for (auto* child : _children) {
        if (child && child->_name == name) {
            return child;
        }
    }
    return nullptr;
}

ssize_t Node::getChildrenCount() const {
    return static_cast<ssize_t>(_children.size());
}

void Node::removeFromParent() {
    removeFromParentAndCleanup(true);
}

void Node::removeFromParentAndCleanup(bool cleanup) {
    if (_parent) {
        _parent->removeChild(this, cleanup);
    }
}

void Node::removeChild(Node* child, bool cleanup) {
    if (!child || _children.empty()) {
        return;
    }
    ssize_t index = _children.getIndex(child);
    if (index != -1) {
        detachChild(child, index, cleanup);
    }
}

void Node::removeChildByTag(int tag, bool cleanup) {
    if (Node* child = getChildByTag(tag)) {
        removeChild(child, cleanup);
    }
}

void Node::removeChildByName(const std::string& name, bool cleanup) {
    if (Node* child = getChildByName(name)) {
        removeChild(child, cleanup);
    }
}

void Node::detachChild(Node* child, ssize_t index, bool doCleanup) {
    // Keep the child alive until we are done with it: erasing may drop the last reference.
    child->retain();
    if (_running) {
        child->onExitTransitionDidStart();
        child->onExit();
    }
    if (doCleanup) {
        child->cleanup();
    }
    child->setParent(nullptr);
    // Callbacks above may have reshuffled the children; find it again.
    index = _children.getIndex(child);
    if (index != -1) {
        _children.erase(index);
    }
    child->release();
}

void Node::removeAllChildren() {
    removeAllChildrenWithCleanup(true);
}

void Node::removeAllChildrenWithCleanup(bool cleanup) {
    Vector<Node*> children = _children; // callbacks may touch _children while we walk
    for (auto* child : children) {
        if (child->_parent != this) {
            continue;
        }
        if (_running) {
            child->onExitTransitionDidStart();
            child->onExit();
        }
        if (cleanup) {
            child->cleanup();
        }
        child->setParent(nullptr);
    }
    _children.clear();
}

void Node::reorderChild(Node* child, int localZOrder) {
    if (!child) {
        return;
    }
    _reorderChildDirty = true;
    child->_orderOfArrival = g_nextOrderOfArrival++;
    child->_localZOrder = localZOrder;
}

void Node::setLocalZOrder(int localZOrder) {
    if (_localZOrder == localZOrder) {
        return;
    }
    if (_parent) {
        _parent->reorderChild(this, localZOrder);
    } else {
        _localZOrder = localZOrder;
    }
}

void Node::sortAllChildren() {
    if (!_reorderChildDirty) {
        return;
    }
    std::sort(_children.begin(), _children.end(), [](const Node* a, const Node* b) {
        return a->_localZOrder < b->_localZOrder ||
               (a->_localZOrder == b->_localZOrder && a->_orderOfArrival < b->_orderOfArrival);
    });
    _reorderChildDirty = false;
}

Scene* Node::getScene() const {
    const Node* node = this;
    while (node->_parent) {
        node = node->_parent;
    }
    return dynamic_cast<Scene*>(const_cast<Node*>(node));
}

void Node::setEventDispatcher(EventDispatcher* dispatcher) {
    if (dispatcher == _eventDispatcher) {
        return;
    }
    if (_eventDispatcher) {
        _eventDispatcher->removeEventListenersForTarget(this);
    }
    CC_SAFE_RETAIN(dispatcher);
    CC_SAFE_RELEASE(_eventDispatcher);
    _eventDispatcher = dispatcher;
}

// Life cycle ---------------------------------------------------------------------------------

void Node::onEnter() {
    _transitionFinished = false;
    Vector<Node*> children = _children;
    for (auto* child : children) {
        child->onEnter();
    }
    resume();
    _running = true;
}

void Node::onEnterTransitionDidFinish() {
    _transitionFinished = true;
    Vector<Node*> children = _children;
    for (auto* child : children) {
        child->onEnterTransitionDidFinish();
    }
}

void Node::onExitTransitionDidStart() {
    Vector<Node*> children = _children;
    for (auto* child : children) {
        child->onExitTransitionDidStart();
    }
}

void Node::onExit() {
    pause();
    _running = false;
    Vector<Node*> children = _children;
    for (auto* child : children) {
        child->onExit();
    }
}

void Node::cleanup() {
    stopAllActions();
    unscheduleAllCallbacks();
    Vector<Node*> children = _children;
    for (auto* child : children) {
        child->cleanup();
    }
}

void Node::pause() {
    _scheduler->pauseTarget(this);
    _actionManager->pauseTarget(this);
    _eventDispatcher->pauseEventListenersForTarget(this);
}

void Node::resume() {
    _scheduler->resumeTarget(this);
    _actionManager->resumeTarget(this);
    _eventDispatcher->resumeEventListenersForTarget(this);
}

NS_CC_END
