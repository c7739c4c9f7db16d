#include <string>
#include <vector>

#include "EngineFixture.h"
#include "ext/Input.h"

USING_NS_CC;
using KeyCode = EventKeyboard::KeyCode;

namespace {

class EventDispatchTest : public SceneFixture {
protected:
    // A node in the running scene with a keyboard listener that records "<name>:<code>".
    Node* addKeyNode(const std::string& name, int z, Node* parent = nullptr, bool stop = false) {
        Node* node = Node::create();
        (parent ? parent : _scene)->addChild(node, z);
        auto* listener = EventListenerKeyboard::create();
        listener->onKeyPressed = [this, name, stop](KeyCode code, Event* event) {
            _heard.push_back(name + ":" + std::to_string(static_cast<int>(code)));
            if (stop) {
                event->stopPropagation();
            }
        };
        node->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, node);
        return node;
    }

    std::vector<std::string> _heard;
};

TEST_F(EventDispatchTest, KeyCodesKeepTheFrameworkNumbering) {
    EXPECT_EQ(static_cast<int>(KeyCode::KEY_UP_ARROW), 28);
    EXPECT_EQ(static_cast<int>(KeyCode::KEY_DOWN_ARROW), 29);
    EXPECT_EQ(static_cast<int>(KeyCode::KEY_SPACE), 59);
    EXPECT_EQ(static_cast<int>(KeyCode::KEY_ENTER), 164);
    EXPECT_EQ(static_cast<int>(KeyCode::KEY_BACK), static_cast<int>(KeyCode::KEY_ESCAPE));
    EXPECT_EQ(static_cast<int>(KeyCode::KEY_PLAY), 165);
}

TEST_F(EventDispatchTest, PressAndReleaseReachTheListenerWithTheirCodes) {
    Node* node = Node::create();
    _scene->addChild(node);
    std::vector<std::string> seen;
    auto* listener = EventListenerKeyboard::create();
    listener->onKeyPressed = [&](KeyCode code, Event*) {
        seen.push_back("down " + std::to_string((int)code));
    };
    listener->onKeyReleased = [&](KeyCode code, Event*) {
        seen.push_back("up " + std::to_string((int)code));
    };
    node->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, node);

    ext::keyPress(KeyCode::KEY_UP_ARROW);
    ext::keyDown(KeyCode::KEY_SPACE);
    step(1.0f / 60);
    ext::keyUp(KeyCode::KEY_SPACE);
    step(1.0f / 60);
    EXPECT_EQ(seen, (std::vector<std::string>{"down 28", "up 28", "down 59", "up 59"}));
}

TEST_F(EventDispatchTest, TopMostNodeHearsFirstAndCanStopTheOthers) {
    Node* back = addKeyNode("back", -1);
    addKeyNode("middle", 0);
    addKeyNode("child-of-back", 5, back);
    addKeyNode("front", 3);
    ext::keyPress(KeyCode::KEY_A);
    step(1.0f / 60);
    // Draw order: child-of-back's parent is below everything at z=-1, so its child is drawn before
    // middle and front.
    EXPECT_EQ(_heard, (std::vector<std::string>{"front:124", "middle:124", "child-of-back:124", "back:124"}));

    _heard.clear();
    addKeyNode("stopper", 10, nullptr, true);
    ext::keyPress(KeyCode::KEY_A);
    step(1.0f / 60);
    EXPECT_EQ(_heard, (std::vector<std::string>{"stopper:124"}));
}

TEST_F(EventDispatchTest, FixedPrioritiesSurroundTheSceneGraph) {
    addKeyNode("scene", 0);
    auto addFixed = [this](const std::string& name, int priority) {
        auto* listener = EventListenerKeyboard::create();
        listener->onKeyPressed = [this, name](KeyCode, Event*) { _heard.push_back(name); };
        director()->getEventDispatcher()->addEventListenerWithFixedPriority(listener, priority);
    };
    addFixed("late", 5);
    addFixed("early", -5);
    addFixed("earlier", -10);
    ext::keyPress(KeyCode::KEY_SPACE);
    step(1.0f / 60);
    EXPECT_EQ(_heard, (std::vector<std::string>{"earlier", "early", "scene:59", "late"}));
}

TEST_F(EventDispatchTest, ListenerOfARemovedNodeHearsNothingAndIsGone) {
    Node* kept = addKeyNode("kept", 0);
    Node* removed = addKeyNode("removed", 1);
    (void)kept;
    EventDispatcher* dispatcher = director()->getEventDispatcher();
    removed->removeFromParent();
    step(1.0f / 60); // the autorelease pool drops the last reference: the node is destroyed
    ext::keyPress(KeyCode::KEY_DOWN_ARROW);
    step(1.0f / 60);
    EXPECT_EQ(_heard, (std::vector<std::string>{"kept:29"}));

    // A node that is only detached (still alive) keeps its listener but stays silent until it returns.
    _heard.clear();
    Node* parked = addKeyNode("parked", 2);
    parked->retain();
    parked->removeFromParent();
    ext::keyPress(KeyCode::KEY_DOWN_ARROW);
    step(1.0f / 60);
    _scene->addChild(parked, 2);
    parked->release();
    ext::keyPress(KeyCode::KEY_DOWN_ARROW);
    step(1.0f / 60);
    EXPECT_EQ(_heard, (std::vector<std::string>{"kept:29", "parked:29", "kept:29"}));
    EXPECT_TRUE(dispatcher->hasEventListener(EventListenerKeyboard::LISTENER_ID));
}

TEST_F(EventDispatchTest, ChangesMadeDuringADispatchApplyAfterIt) {
    Node* node = Node::create();
    _scene->addChild(node);
    EventDispatcher* dispatcher = director()->getEventDispatcher();
    auto* late = EventListenerKeyboard::create();
    late->onKeyPressed = [this](KeyCode, Event*) { _heard.push_back("late"); };
    late->retain();
    auto* second = EventListenerKeyboard::create();
    second->onKeyPressed = [this](KeyCode, Event*) { _heard.push_back("second"); };
    bool added = false;
    auto* first = EventListenerKeyboard::create();
    first->onKeyPressed = [&](KeyCode, Event*) {
        _heard.push_back("first");
        // Removing a later listener silences it at once; an added one waits for the next event.
        if (!added) {
            dispatcher->removeEventListener(second);
            dispatcher->addEventListenerWithFixedPriority(late, 1);
            added = true;
        }
    };
    dispatcher->addEventListenerWithFixedPriority(first, -1);
    dispatcher->addEventListenerWithSceneGraphPriority(second, node);
    ext::keyPress(KeyCode::KEY_A);
    step(1.0f / 60);
    EXPECT_EQ(_heard, (std::vector<std::string>{"first"}));
    ext::keyPress(KeyCode::KEY_A);
    step(1.0f / 60);
    EXPECT_EQ(_heard, (std::vector<std::string>{"first", "first", "late"}));
    late->release();
}

TEST_F(EventDispatchTest, RegisteringTwiceOrWithoutCallbacksIsRefused) {
    EventDispatcher* dispatcher = director()->getEventDispatcher();
    auto* empty = EventListenerKeyboard::create();
    dispatcher->addEventListenerWithFixedPriority(empty, 1);
    EXPECT_FALSE(dispatcher->hasEventListener(EventListenerKeyboard::LISTENER_ID));

    int calls = 0;
    auto* once = EventListenerKeyboard::create();
    once->onKeyPressed = [&](KeyCode, Event*) { ++calls; };
    dispatcher->addEventListenerWithFixedPriority(once, 1);
    dispatcher->addEventListenerWithFixedPriority(once, 2);
    ext::keyPress(KeyCode::KEY_A);
    step(1.0f / 60);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(logContains("already registered"));
}

// Touch claiming: began decides who follows the touch; a swallowing claimer hides it from the rest.
TEST_F(EventDispatchTest, ClaimedTouchesFollowTheirClaimerAndSwallowingHidesThem) {
    std::vector<std::string> seen;
    auto addTouchNode = [&](const std::string& name, int z, bool claim, bool swallow) {
        Node* node = Node::create();
        _scene->addChild(node, z);
        auto* listener = EventListenerTouchOneByOne::create();
        listener->setSwallowTouches(swallow);
        listener->onTouchBegan = [&seen, name, claim](Touch*, Event*) {
            seen.push_back(name + " began");
            return claim;
        };
        listener->onTouchMoved = [&seen, name](Touch*, Event*) { seen.push_back(name + " moved"); };
        listener->onTouchEnded = [&seen, name](Touch* touch, Event*) {
            seen.push_back(name + " ended at " + std::to_string((int)touch->getLocation().x) + " from " +
                           std::to_string((int)touch->getStartLocation().x));
        };
        node->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, node);
    };
    addTouchNode("bottom", 0, true, false);
    addTouchNode("passer", 1, false, true);
    addTouchNode("sharer", 2, true, false);
    ext::touchBegin(Vec2(10, 10));
    ext::touchMove(Vec2(20, 10));
    ext::touchEnd(Vec2(30, 10));
    step(1.0f / 60);
    EXPECT_EQ(seen, (std::vector<std::string>{"sharer began", "passer began", "bottom began", "sharer moved",
                                              "bottom moved", "sharer ended at 30 from 10",
                                              "bottom ended at 30 from 10"}));

    seen.clear();
    addTouchNode("swallower", 3, true, true);
    ext::click(Vec2(5, 5));
    step(1.0f / 60);
    EXPECT_EQ(seen, (std::vector<std::string>{"swallower began", "swallower ended at 5 from 5"}));
}

// A listener that goes away while it claims a touch neither follows nor hides that touch.
TEST_F(EventDispatchTest, AListenerThatUnregistersItselfInTouchBeganDoesNotSwallow) {
    std::vector<std::string> seen;
    auto addTouchNode = [&](const std::string& name, int z, bool leaves) {
        Node* node = Node::create();
        _scene->addChild(node, z);
        auto* listener = EventListenerTouchOneByOne::create();
        listener->setSwallowTouches(true);
        listener->onTouchBegan = [&seen, name, leaves, listener, node](Touch*, Event*) {
            seen.push_back(name + " began");
            if (leaves) {
                node->getEventDispatcher()->removeEventListener(listener);
            }
            return true;
        };
        listener->onTouchEnded = [&seen, name](Touch*, Event*) { seen.push_back(name + " ended"); };
        node->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, node);
    };
    addTouchNode("stays", 0, false);
    addTouchNode("leaves", 1, true);
    ext::click(Vec2(5, 5));
    step(1.0f / 60);
    ext::click(Vec2(5, 5));
    step(1.0f / 60);
    EXPECT_EQ(seen, (std::vector<std::string>{"leaves began", "stays began", "stays ended", "stays began",
                                              "stays ended"}));
}

// The view space of a touch is the design area seen from its top-left corner, y down.
TEST_F(EventDispatchTest, TouchLocationsInViewCountDownFromTheTop) {
    std::vector<Vec2> points;
    Node* node = Node::create();
    _scene->addChild(node);
    auto* listener = EventListenerTouchOneByOne::create();
    listener->onTouchBegan = [&points](Touch* touch, Event*) {
        points.push_back(touch->getLocation());
        points.push_back(touch->getLocationInView());
        return true;
    };
    listener->onTouchMoved = [&points](Touch* touch, Event*) {
        points.push_back(touch->getLocationInView());
        points.push_back(touch->getPreviousLocationInView());
        points.push_back(touch->getStartLocationInView());
    };
    node->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, node);
    ext::touchBegin(Vec2(100, 600));
    ext::touchMove(Vec2(150, 500));
    step(1.0f / 60);
    EXPECT_EQ(points, (std::vector<Vec2>{Vec2(100, 600), Vec2(100, 120), Vec2(150, 220), Vec2(100, 120),
                                         Vec2(100, 120)}));
}

TEST_F(EventDispatchTest, CustomEventsCarryTheirData) {
    int received = 0;
    director()->getEventDispatcher()->addCustomEventListener(
        "score", [&](EventCustom* event) { received = *static_cast<int*>(event->getUserData()); });
    int value = 42;
    director()->getEventDispatcher()->dispatchCustomEvent("other", &value);
    EXPECT_EQ(received, 0);
    director()->getEventDispatcher()->dispatchCustomEvent("score", &value);
    EXPECT_EQ(received, 42);
}

} // namespace
