// ActionManager ownership and bookkeeping: who keeps nodes alive, actions started from inside a step,
// clones, pausing everything, and the visibility/colour actions' end states.

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "cocos2d.h"

USING_NS_CC;

namespace {

struct TrackedNode : public Node {
    static int alive;
    TrackedNode() { ++alive; }
    ~TrackedNode() override { --alive; }
};
int TrackedNode::alive = 0;

class ActionManagerTest : public EngineFixture {
protected:
    ActionManager* actions() { return director()->getActionManager(); }
    void TearDown() override {
        actions()->removeAllActions();
        EngineFixture::TearDown();
    }
};

} // namespace

TEST_F(ActionManagerTest, ANodeIsHeldUntilItsLastActionEndsUnlessOnlyTheManagerHoldsIt) {
    TrackedNode::alive = 0;
    auto* held = new TrackedNode(); // our reference stands for a parent's
    actions()->addAction(MoveBy::create(0.5f, Vec2(1, 0)), held, false);
    EXPECT_EQ(held->getReferenceCount(), 2u);
    actions()->update(0.0f);
    actions()->update(0.25f);
    EXPECT_EQ(actions()->getNumberOfRunningActionsInTarget(held), 1);
    actions()->update(0.25f);
    EXPECT_EQ(held->getReferenceCount(), 1u) << "let go once its last action finished";
    held->release();
    EXPECT_EQ(TrackedNode::alive, 0);

    // Left to the manager alone, a node is dropped after its next step: its endless action
    // stops and nothing runs on a node no one can see.
    auto* orphan = new TrackedNode();
    int steps = 0;
    actions()->addAction(RepeatForever::create(Sequence::create(CallFunc::create([&steps] { ++steps; }),
                                                                DelayTime::create(0.1f), nullptr)),
                         orphan, false);
    orphan->release();
    EXPECT_EQ(TrackedNode::alive, 1);
    actions()->update(0.0f);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(TrackedNode::alive, 0);
    EXPECT_EQ(actions()->getNumberOfRunningActions(), 0);
    actions()->update(1.0f);
    EXPECT_EQ(steps, 1);
}

TEST_F(ActionManagerTest, AnActionStartedInsideAStepTakesItsFirstStepInThatPass) {
    Node* node = Node::create();
    actions()->addAction(CallFunc::create([node] {
                             node->getActionManager()->addAction(MoveBy::create(1.0f, Vec2(100, 0)), node,
                                                                 false);
                         }),
                         node, false);
    actions()->update(0.0f); // the CallFunc runs and the move takes its (dt-ignoring) first step
    actions()->update(1.0f);
    EXPECT_FLOAT_EQ(node->getPositionX(), 100.0f);
    EXPECT_EQ(actions()->getNumberOfRunningActionsInTarget(node), 0);
}

TEST_F(ActionManagerTest, ACloneRunsTheSameTimelineIndependently) {
    Node* a = Node::create();
    Node* b = Node::create();
    int fires = 0;
    auto* original =
        Sequence::create(MoveBy::create(0.5f, Vec2(10, 0)), CallFunc::create([&fires] { ++fires; }), nullptr);
    actions()->addAction(original, a, false);
    actions()->update(0.0f);
    actions()->update(0.25f);
    actions()->addAction(original->clone(), b, false);
    for (int i = 0; i < 4; ++i) {
        actions()->update(0.25f);
    }
    EXPECT_FLOAT_EQ(a->getPositionX(), 10.0f);
    EXPECT_FLOAT_EQ(b->getPositionX(), 10.0f);
    EXPECT_EQ(fires, 2);
}

TEST_F(ActionManagerTest, PausingEverythingAndResumingTheSameTargets) {
    Node* moving = Node::create();
    Node* waiting = Node::create();
    actions()->addAction(MoveBy::create(1.0f, Vec2(100, 0)), moving, false);
    actions()->addAction(MoveBy::create(1.0f, Vec2(100, 0)), waiting, true);
    Vector<Node*> paused = actions()->pauseAllRunningActions();
    ASSERT_EQ(paused.size(), 1);
    EXPECT_EQ(paused.at(0), moving);
    actions()->update(0.5f);
    EXPECT_EQ(moving->getPositionX(), 0.0f);
    actions()->resumeTargets(paused);
    actions()->update(0.0f);
    actions()->update(0.5f);
    EXPECT_NEAR(moving->getPositionX(), 50.0f, 0.01f);
    EXPECT_EQ(waiting->getPositionX(), 0.0f);
    actions()->removeAction(MoveBy::create(1.0f, Vec2::ZERO)); // never added: nothing happens
    EXPECT_EQ(actions()->getNumberOfRunningActions(), 2);
}

TEST_F(ActionManagerTest, VisibilityAndColourActionsLeaveTheirEndStates) {
    Node* node = Node::create();
    node->setColor(Color3B(0, 100, 200));
    actions()->addAction(TintTo::create(1.0f, Color3B(255, 0, 100)), node, false);
    actions()->addAction(Blink::create(1.0f, 3), node, false);
    actions()->update(0.0f);
    actions()->update(0.5f);
    // t is a hair past 0.5 and channels truncate: falling channels land just under the halfway value.
    EXPECT_EQ(node->getColor(), Color3B(127, 49, 149));
    actions()->update(0.5f);
    EXPECT_EQ(node->getColor(), Color3B(255, 0, 100));
    EXPECT_TRUE(node->isVisible()) << "Blink restores the visibility it started with";

    actions()->addAction(Sequence::create(Hide::create(), DelayTime::create(0.5f), nullptr), node, false);
    actions()->update(0.0f);
    EXPECT_FALSE(node->isVisible());
    actions()->addAction(Sequence::create(Show::create(), Place::create(Vec2(3, 4)), nullptr), node, false);
    actions()->update(0.0f);
    EXPECT_TRUE(node->isVisible());
    EXPECT_EQ(node->getPosition(), Vec2(3, 4));
}
