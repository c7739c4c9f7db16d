#include "base/CCEventDispatcher.h"

#include <algorithm>
#include <unordered_map>

#include "2d/CCNode.h"
#include "base/CCConsole.h"
#include "base/CCEventCustom.h"
#include "base/CCEventKeyboard.h"
#include "base/CCEventListenerCustom.h"
#include "base/CCEventListenerKeyboard.h"
#include "base/CCEventListenerMouse.h"
#include "base/CCEventListenerTouch.h"
#include "base/CCEventTouch.h"

NS_CC_BEGIN

namespace {

// Draw order of every node under root: children with z < 0, the node, the other children.
void rankInDrawOrder(Node* node, std::unordered_map<const Node*, int>& ranks) {
    node->sortAllChildren();
    const auto& children = node->getChildren();
    ssize_t i = 0;
    for (; i < children.size() && children.at(i)->getLocalZOrder() < 0; ++i) {
        rankInDrawOrder(children.at(i), ranks);
    }
    const int rank = static_cast<int>(ranks.size());
    ranks[node] = rank;
    for (; i < children.size(); ++i) {
        rankInDrawOrder(children.at(i), ranks);
    }
}

Node* rootOf(Node* node) {
    while (node->getParent()) {
        node = node->getParent();
    }
    return node;
}

} // namespace

EventDispatcher::EventDispatcher() = default;

EventDispatcher::~EventDispatcher() {
    for (auto* list : {&_listeners, &_toAdd}) {
        for (EventListener* listener : *list) {
            listener->setRegistered(false);
            listener->setAssociatedNode(nullptr);
            listener->release();
        }
        list->clear();
    }
}

void EventDispatcher::addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node) {
    if (!listener || !node) {
        log("EventDispatcher: a scene-graph listener needs a listener and a node");
        return;
    }
    listener->setAssociatedNode(node);
    listener->setFixedPriority(0);
    addListener(listener);
}

void EventDispatcher::addEventListenerWithFixedPriority(EventListener* listener, int fixedPriority) {
    if (!listener || fixedPriority == 0) {
        log("EventDispatcher: a fixed-priority listener needs a listener and a priority other than 0");
        return;
    }
    listener->setAssociatedNode(nullptr);
    listener->setFixedPriority(fixedPriority);
    addListener(listener);
}

EventListenerCustom*
EventDispatcher::addCustomEventListener(const std::string& eventName,
                                        const std::function<void(EventCustom*)>& callback) {
    EventListenerCustom* listener = EventListenerCustom::create(eventName, callback);
    addEventListenerWithFixedPriority(listener, 1);
    return listener;
}

void EventDispatcher::addListener(EventListener* listener) {
    if (listener->isRegistered()) {
        log("EventDispatcher: listener %p is already registered; use clone() to register a copy",
            static_cast<void*>(listener));
        return;
    }
    if (!listener->checkAvailable()) {
        log("EventDispatcher: listener %p has no callback and is ignored", static_cast<void*>(listener));
        listener->setAssociatedNode(nullptr);
        return;
    }
    listener->retain();
    listener->setRegistered(true);
    listener->setPaused(false);
    (_inDispatch > 0 ? _toAdd : _listeners).push_back(listener);
}

// Unregisters at once (so it hears nothing more); the vector entry goes when no dispatch is running,
// since a dispatch in progress iterates over a snapshot of the pointers.
void EventDispatcher::detachListener(EventListener* listener) {
    listener->setRegistered(false);
    listener->setAssociatedNode(nullptr);
    auto pending = std::find(_toAdd.begin(), _toAdd.end(), listener);
    if (pending != _toAdd.end()) {
        _toAdd.erase(pending);
        listener->release();
        return;
    }
    if (_inDispatch == 0) {
        auto it = std::find(_listeners.begin(), _listeners.end(), listener);
        if (it != _listeners.end()) {
            _listeners.erase(it);
            listener->release();
        }
    }
}

void EventDispatcher::removeEventListener(EventListener* listener) {
    if (listener && listener->isRegistered()) {
        detachListener(listener);
    }
}

void EventDispatcher::removeEventListenersForType(EventListener::Type listenerType) {
    for (auto* list : {&_listeners, &_toAdd}) {
        const auto copy = *list;
        for (EventListener* listener : copy) {
            if (listener->isRegistered() && listener->getType() == listenerType) {
                detachListener(listener);
            }
        }
    }
}

template <class F> void EventDispatcher::forTargets(Node* target, bool recursive, const F& fn) {
    if (!target) {
        return;
    }
    for (auto* list : {&_listeners, &_toAdd}) {
        const auto copy = *list;
        for (EventListener* listener : copy) {
            if (listener->isRegistered() && listener->getAssociatedNode() == target) {
                fn(listener);
            }
        }
    }
    if (recursive) {
        for (Node* child : target->getChildren()) {
            forTargets(child, true, fn);
        }
    }
}

void EventDispatcher::removeEventListenersForTarget(Node* target, bool recursive) {
    forTargets(target, recursive, [this](EventListener* listener) { detachListener(listener); });
}

void EventDispatcher::pauseEventListenersForTarget(Node* target, bool recursive) {
    forTargets(target, recursive, [](EventListener* listener) { listener->setPaused(true); });
}

void EventDispatcher::resumeEventListenersForTarget(Node* target, bool recursive) {
    forTargets(target, recursive, [](EventListener* listener) { listener->setPaused(false); });
}

void EventDispatcher::removeCustomEventListeners(const std::string& customEventName) {
    for (auto* list : {&_listeners, &_toAdd}) {
        const auto copy = *list;
        for (EventListener* listener : copy) {
            if (listener->isRegistered() && listener->getType() == EventListener::Type::CUSTOM &&
                listener->getListenerID() == customEventName) {
                detachListener(listener);
            }
        }
    }
}

void EventDispatcher::removeAllEventListeners() {
    for (auto* list : {&_listeners, &_toAdd}) {
        const auto copy = *list;
        for (EventListener* listener : copy) {
            if (listener->isRegistered()) {
                detachListener(listener);
            }
        }
    }
}

void EventDispatcher::setPriority(EventListener* listener, int fixedPriority) {
    if (!listener || !listener->isRegistered() || listener->getAssociatedNode() || fixedPriority == 0) {
        return;
    }
    listener->setFixedPriority(fixedPriority);
}

bool EventDispatcher::hasEventListener(const EventListener::ListenerID& listenerID) const {
    for (const auto* list : {&_listeners, &_toAdd}) {
        for (EventListener* listener : *list) {
            if (listener->isRegistered() && listener->getListenerID() == listenerID) {
                return true;
            }
        }
    }
    return false;
}

bool EventDispatcher::isActive(EventListener* listener) const {
    if (!listener->isRegistered() || !listener->isEnabled() || listener->isPaused()) {
        return false;
    }
    Node* node = listener->getAssociatedNode();
    return node == nullptr || node->isRunning();
}

std::vector<EventListener*>
EventDispatcher::listenersInOrder(const EventListener::ListenerID& listenerID) const {
    std::vector<EventListener*> negative, sceneGraph, positive;
    for (EventListener* listener : _listeners) {
        if (!isActive(listener) || listener->getListenerID() != listenerID) {
            continue;
        }
        if (listener->getAssociatedNode()) {
            sceneGraph.push_back(listener);
        } else {
            (listener->getFixedPriority() < 0 ? negative : positive).push_back(listener);
        }
    }
    auto byPriority = [](EventListener* a, EventListener* b) {
        return a->getFixedPriority() < b->getFixedPriority();
    };
    std::stable_sort(negative.begin(), negative.end(), byPriority);
    std::stable_sort(positive.begin(), positive.end(), byPriority);

    if (!sceneGraph.empty()) {
        std::unordered_map<const Node*, int> ranks;
        std::vector<Node*> roots;
        for (EventListener* listener : sceneGraph) {
            Node* root = rootOf(listener->getAssociatedNode());
            if (std::find(roots.begin(), roots.end(), root) == roots.end()) {
                roots.push_back(root);
                rankInDrawOrder(root, ranks);
            }
        }
        // Top-most (drawn last) first; listeners of one node keep their registration order.
        std::stable_sort(sceneGraph.begin(), sceneGraph.end(), [&ranks](EventListener* a, EventListener* b) {
            return ranks[a->getAssociatedNode()] > ranks[b->getAssociatedNode()];
        });
    }

    std::vector<EventListener*> ordered = std::move(negative);
    ordered.insert(ordered.end(), sceneGraph.begin(), sceneGraph.end());
    ordered.insert(ordered.end(), positive.begin(), positive.end());
    return ordered;
}

void EventDispatcher::dispatchEvent(Event* event) {
    if (!_isEnabled || !event) {
        return;
    }
    ++_inDispatch;
    switch (event->getType()) {
    case Event::Type::TOUCH:
        dispatchTouchEvent(static_cast<EventTouch*>(event));
        break;
    case Event::Type::KEYBOARD:
        dispatchToListeners(event, EventListenerKeyboard::LISTENER_ID);
        break;
    case Event::Type::MOUSE:
        dispatchToListeners(event, EventListenerMouse::LISTENER_ID);
        break;
    case Event::Type::CUSTOM:
        dispatchToListeners(event, static_cast<EventCustom*>(event)->getEventName());
        break;
    default:
        break;
    }
    event->setCurrentTarget(nullptr);
    if (--_inDispatch == 0) {
        commitPendingChanges();
    }
}

void EventDispatcher::dispatchCustomEvent(const std::string& eventName, void* optionalUserData) {
    EventCustom event(eventName);
    event.setUserData(optionalUserData);
    dispatchEvent(&event);
}

void EventDispatcher::dispatchToListeners(Event* event, const EventListener::ListenerID& listenerID) {
    for (EventListener* listener : listenersInOrder(listenerID)) {
        // An earlier callback may have removed, paused or disabled this one.
        if (!isActive(listener)) {
            continue;
        }
        event->setCurrentTarget(listener->getAssociatedNode());
        if (event->getType() == Event::Type::KEYBOARD) {
            auto* keyboard = static_cast<EventListenerKeyboard*>(listener);
            auto* keyEvent = static_cast<EventKeyboard*>(event);
            auto& callback = keyEvent->isPressed() ? keyboard->onKeyPressed : keyboard->onKeyReleased;
            if (callback) {
                callback(keyEvent->getKeyCode(), event);
            }
        } else if (listener->_onEvent) {
            listener->_onEvent(event);
        }
        if (event->isStopped()) {
            break;
        }
    }
}

void EventDispatcher::dispatchTouchEvent(EventTouch* event) {
    const auto listeners = listenersInOrder(EventListenerTouchOneByOne::LISTENER_ID);
    const EventTouch::EventCode code = event->getEventCode();
    const std::vector<Touch*> touches = event->getTouches();
    for (Touch* touch : touches) {
        for (EventListener* listener : listeners) {
            if (!isActive(listener)) {
                continue;
            }
            auto* touchListener = static_cast<EventListenerTouchOneByOne*>(listener);
            auto& claimed = touchListener->_claimedTouches;
            auto claimedAt = std::find(claimed.begin(), claimed.end(), touch);
            event->setCurrentTarget(listener->getAssociatedNode());
            bool isClaimed = false;
            if (code == EventTouch::EventCode::BEGAN) {
                // A touch object is reused for the next press; drop a claim whose end never arrived.
                if (claimedAt != claimed.end()) {
                    claimed.erase(claimedAt);
                }
                isClaimed = touchListener->onTouchBegan(touch, event);
                if (isClaimed && listener->isRegistered()) {
                    claimed.push_back(touch);
                }
            } else if (claimedAt != claimed.end()) {
                isClaimed = true;
                if (code != EventTouch::EventCode::MOVED) {
                    claimed.erase(claimedAt);
                }
                const auto& callback = code == EventTouch::EventCode::MOVED ? touchListener->onTouchMoved
                                       : code == EventTouch::EventCode::ENDED
                                           ? touchListener->onTouchEnded
                                           : touchListener->onTouchCancelled;
                if (callback) {
                    callback(touch, event);
                }
            }
            if (event->isStopped()) {
                return;
            }
            // A listener that unregistered itself in its callback no longer holds the touch back.
            if (isClaimed && listener->isRegistered() && touchListener->isSwallowTouches()) {
                break;
            }
        }
    }
}

void EventDispatcher::commitPendingChanges() {
    auto removed = std::stable_partition(_listeners.begin(), _listeners.end(),
                                         [](EventListener* listener) { return listener->isRegistered(); });
    std::vector<EventListener*> dropped(removed, _listeners.end());
    _listeners.erase(removed, _listeners.end());
    _listeners.insert(_listeners.end(), _toAdd.begin(), _toAdd.end());
    _toAdd.clear();
    for (EventListener* listener : dropped) {
        listener->release();
    }
}

NS_CC_END
