// Action timing at frame boundaries: when each step of a timeline fires, where values stand at the
// boundaries, and that actions removed while they run are safe. Actions are stepped through the
// Director's ActionManager directly so every dt is chosen by the test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineFixture.h"
#include "cocos2d.h"

USING_NS_CC;

namespace {

class ActionTiming : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        _node = Node::create();
        _node->retain();
    }
    void TearDown() override {
        actions()->removeAllActions();
        CC_SAFE_RELEASE_NULL(_node);
        EngineFixture::TearDown();
    }

    ActionManager* actions() { return director()->getActionManager(); }
    Node* node() { return _node; }
    void run(Action* action, Node* target = nullptr) {
        actions()->addAction(action, target ? target : _node, false);
    }
    // One ActionManager pass per call; returns how many actions remain on the node.
    ssize_t tick(float dt) {
        actions()->update(dt);
        return actions()->getNumberOfRunningActionsInTarget(_node);
    }

private:
    Node* _node = nullptr;
};

// Records "<name>@<tick>" for each CallFunc as it fires.
struct FireLog {
    std::vector<std::string> fired;
    int tick = 0;
    CallFunc* mark(const std::string& name) {
        return CallFunc::create([this, name] { fired.push_back(name + "@" + std::to_string(tick)); });
    }
};

} // namespace

TEST_F(ActionTiming, SequenceFiresEachCallFuncOnTheStepItsPrecedingDelayCompletes) {
    FireLog log;
    run(Sequence::create(log.mark("a"), DelayTime::create(0.5f), log.mark("b"), DelayTime::create(0.5f),
                         log.mark("c"), nullptr));
    // dt 0.25: the first step ignores its dt, so elapsed runs 0, 0.25, 0.5, 0.75, 1.0 on ticks 1..5.
    std::vector<ssize_t> remaining;
    for (log.tick = 1; log.tick <= 6; ++log.tick) {
        remaining.push_back(tick(0.25f));
    }
    EXPECT_EQ(log.fired, (std::vector<std::string>{"a@1", "b@3", "c@5"}));
    EXPECT_EQ(remaining, (std::vector<ssize_t>{1, 1, 1, 1, 0, 0}));
}

TEST_F(ActionTiming, FirstStepIgnoresItsDtAndDurationsAddUp) {
    auto seq = Sequence::create(MoveBy::create(0.5f, Vec2(10, 0)), DelayTime::create(0.25f),
                                RotateBy::create(0.25f, 90), nullptr);
    EXPECT_FLOAT_EQ(seq->getDuration(), 1.0f);
    EXPECT_FLOAT_EQ(Spawn::create(MoveBy::create(1, Vec2::ZERO), FadeOut::create(2), nullptr)->getDuration(),
                    2.0f);
    EXPECT_FLOAT_EQ(Repeat::create(DelayTime::create(0.5f), 3)->getDuration(), 1.5f);

    run(DelayTime::create(1.0f));
    EXPECT_EQ(tick(100.0f), 1) << "a huge first dt must not finish the action";
    EXPECT_EQ(tick(0.5f), 1);
    EXPECT_EQ(tick(0.5f), 0);
}

TEST_F(ActionTiming, InstantActionsFireTogetherOnTheFirstStepInOrder) {
    FireLog log;
    Vector<FiniteTimeAction*> steps;
    steps.pushBack(log.mark("x"));
    steps.pushBack(log.mark("y"));
    steps.pushBack(log.mark("z"));
    run(Sequence::create(steps));
    EXPECT_EQ(tick(0.0f), 0);
    EXPECT_EQ(log.fired, (std::vector<std::string>{"x@0", "y@0", "z@0"}));
}

// As with the framework's nullptr-terminated lists, a failed create ends the list where it stands.
TEST_F(ActionTiming, ANullActionEndsASequenceOrSpawnListAndIsReported) {
    FireLog log;
    FiniteTimeAction* failed = nullptr;
    run(Sequence::create(log.mark("before"), failed, log.mark("after"), nullptr));
    run(Spawn::create(log.mark("together"), failed, log.mark("apart"), MoveBy::create(1, Vec2(50, 0)),
                      nullptr));
    tick(0.0f);
    tick(1.0f);
    EXPECT_EQ(log.fired, (std::vector<std::string>{"before@0", "together@0"}));
    EXPECT_FLOAT_EQ(node()->getPositionX(), 0.0f);
    EXPECT_TRUE(
        logContains("Sequence::create: a null action at position 2 ends the list; 1 after it ignored"));
    EXPECT_TRUE(logContains("Spawn::create: a null action at position 2 ends the list; 2 after it ignored"));
    EXPECT_EQ(Sequence::create(failed, log.mark("never"), nullptr), nullptr);
    EXPECT_EQ(Spawn::create(failed, nullptr), nullptr);
}

TEST_F(ActionTiming, MoveByEndsExactlyAndKeepsOtherMovesOnTop) {
    node()->setPosition(10, 10);
    run(MoveBy::create(1.0f, Vec2(100, 0)));
    tick(0.0f);
    node()->setPositionY(15); // someone else moves the node meanwhile
    tick(0.5f);
    EXPECT_NEAR(node()->getPositionX(), 60.0f, 0.01f);
    EXPECT_FLOAT_EQ(node()->getPositionY(), 15.0f);
    tick(0.5f);
    EXPECT_EQ(node()->getPosition(), Vec2(110, 15));
}

TEST_F(ActionTiming, TwoMovesOnOneNodeAddUp) {
    run(MoveBy::create(1.0f, Vec2(100, 0)));
    run(MoveTo::create(0.5f, Vec2(0, 40)));
    for (int i = 0; i < 4; ++i) {
        tick(0.5f);
    }
    EXPECT_NEAR(node()->getPositionX(), 100.0f, 1e-3f);
    EXPECT_NEAR(node()->getPositionY(), 40.0f, 1e-3f);
}

TEST_F(ActionTiming, ScaleRotateAndFadeReachTheirEndValues) {
    node()->setRotation(350);
    node()->setOpacity(255);
    run(ScaleTo::create(1.0f, 2.0f, 3.0f));
    run(RotateTo::create(1.0f, 10)); // the short way: +20 degrees
    run(FadeTo::create(1.0f, 100));
    tick(0.0f);
    tick(0.5f);
    EXPECT_NEAR(node()->getScaleX(), 1.5f, 1e-4f);
    EXPECT_NEAR(node()->getScaleY(), 2.0f, 1e-4f);
    EXPECT_NEAR(node()->getRotation(), 360.0f, 1e-3f);
    tick(0.5f);
    EXPECT_FLOAT_EQ(node()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(node()->getScaleY(), 3.0f);
    EXPECT_FLOAT_EQ(node()->getRotation(), 370.0f);
    EXPECT_EQ(node()->getOpacity(), 100);

    run(RotateBy::create(1.0f, 450)); // positive is clockwise and never wrapped
    tick(0.0f);
    tick(1.0f);
    EXPECT_FLOAT_EQ(node()->getRotation(), 820.0f);
}

TEST_F(ActionTiming, FadesTruncateAndStartFromTheCurrentOpacity) {
    node()->setOpacity(255);
    run(FadeOut::create(1.0f));
    tick(0.0f);
    EXPECT_EQ(node()->getOpacity(), 254) << "255 - a hair, truncated";
    tick(0.5f);
    EXPECT_EQ(node()->getOpacity(), 127);
    tick(0.5f);
    EXPECT_EQ(node()->getOpacity(), 0);

    node()->setOpacity(200);
    run(FadeIn::create(1.0f));
    tick(0.0f);
    tick(0.5f);
    EXPECT_EQ(node()->getOpacity(), 227); // 200 + 55 * 0.5, truncated
    tick(0.5f);
    EXPECT_EQ(node()->getOpacity(), 255);
}

TEST_F(ActionTiming, SpawnPadsTheShorterAction) {
    run(Spawn::create(MoveBy::create(1.0f, Vec2(100, 0)), RotateBy::create(0.5f, 90), nullptr));
    tick(0.0f);
    tick(0.5f);
    EXPECT_FLOAT_EQ(node()->getRotation(), 90.0f);
    EXPECT_NEAR(node()->getPositionX(), 50.0f, 0.01f);
    EXPECT_EQ(tick(0.5f), 0);
    EXPECT_FLOAT_EQ(node()->getPositionX(), 100.0f);
    EXPECT_FLOAT_EQ(node()->getRotation(), 90.0f);
}

TEST_F(ActionTiming, RepeatRestartsAtEachBoundaryAndStopsAfterTheCount) {
    FireLog log;
    run(Repeat::create(Sequence::create(log.mark("r"), DelayTime::create(0.5f), nullptr), 3));
    std::vector<ssize_t> remaining;
    for (log.tick = 1; log.tick <= 8; ++log.tick) {
        remaining.push_back(tick(0.25f));
    }
    EXPECT_EQ(log.fired, (std::vector<std::string>{"r@1", "r@3", "r@5"}));
    EXPECT_EQ(remaining, (std::vector<ssize_t>{1, 1, 1, 1, 1, 1, 0, 0}));

    int count = 0;
    run(Repeat::create(CallFunc::create([&count] { ++count; }), 4));
    tick(0.0f);
    EXPECT_EQ(count, 4);
}

TEST_F(ActionTiming, RepeatForeverCarriesTheOvershootIntoTheNextRound) {
    FireLog log;
    run(RepeatForever::create(Sequence::create(DelayTime::create(1.0f), log.mark("beat"), nullptr)));
    for (log.tick = 1; log.tick <= 9; ++log.tick) {
        tick(0.4f);
    }
    // Round one ends at elapsed 1.2 (tick 4); its 0.2 overshoot makes round two end on tick 6, not 7;
    // round two overshoots by almost nothing, so round three takes three whole ticks.
    EXPECT_EQ(log.fired, (std::vector<std::string>{"beat@4", "beat@6", "beat@9"}));
    EXPECT_EQ(tick(0.4f), 1);
}

TEST_F(ActionTiming, EasedMovesFollowTheirCurves) {
    EXPECT_NEAR(tweenfunc::sineEaseOut(0.5f), 0.70711f, 1e-4f);
    EXPECT_NEAR(tweenfunc::bounceEaseOut(0.25f), 0.47266f, 1e-4f);
    EXPECT_NEAR(tweenfunc::bounceEaseOut(0.5f), 0.76563f, 1e-4f);
    EXPECT_NEAR(tweenfunc::bounceEaseOut(0.8f), 0.94f, 1e-4f);
    EXPECT_NEAR(tweenfunc::bounceEaseOut(0.95f), 0.98453f, 1e-4f);
    EXPECT_NEAR(tweenfunc::bounceEaseIn(0.25f), 0.02734f, 1e-4f);
    EXPECT_EQ(tweenfunc::bounceEaseOut(1.0f), 1.0f);
    EXPECT_EQ(tweenfunc::bounceEaseIn(0.0f), 0.0f);

    Node* other = Node::create();
    run(EaseSineOut::create(MoveBy::create(1.0f, Vec2(100, 0))));
    run(EaseBounceOut::create(MoveTo::create(1.0f, Vec2(0, 200))), other);
    tick(0.0f);
    tick(0.5f);
    EXPECT_NEAR(node()->getPositionX(), 70.71f, 0.01f);
    EXPECT_NEAR(other->getPositionY(), 153.13f, 0.01f);
    tick(0.5f);
    EXPECT_EQ(node()->getPositionX(), 100.0f);
    EXPECT_EQ(other->getPositionY(), 200.0f);
}

TEST_F(ActionTiming, AnActionMayStopEverythingOnItsNodeWhileItRuns) {
    int after = 0;
    auto* second = MoveBy::create(1.0f, Vec2(50, 0));
    run(Sequence::create(CallFunc::create([this] { node()->stopAllActions(); }),
                         MoveBy::create(1.0f, Vec2(5, 0)), nullptr));
    run(second);
    run(CallFunc::create([&after] { ++after; }));
    EXPECT_EQ(tick(0.0f), 0);
    EXPECT_EQ(after, 0) << "removed before its turn in the same pass";
    EXPECT_NEAR(node()->getPositionX(), 0.0f, 0.01f);
    tick(1.0f);
    EXPECT_NEAR(node()->getPositionX(), 0.0f, 0.01f);
}

TEST_F(ActionTiming, RemoveSelfDetachesTheNodeMidSequence) {
    auto* parent = Node::create();
    auto* child = Node::create();
    parent->addChild(child);
    FireLog log;
    run(Sequence::create(DelayTime::create(0.5f), RemoveSelf::create(), log.mark("after"), nullptr), child);
    EXPECT_EQ(parent->getChildrenCount(), 1);
    for (log.tick = 1; log.tick <= 3; ++log.tick) {
        actions()->update(0.25f);
    }
    EXPECT_EQ(parent->getChildrenCount(), 0);
    EXPECT_EQ(actions()->getNumberOfRunningActions(), 0);
    // The rest of that step still runs, as the sequence was mid-update when it was stopped.
    EXPECT_EQ(log.fired, (std::vector<std::string>{"after@3"}));
}

TEST_F(ActionTiming, PausedTargetsWaitAndTagsFindActions) {
    auto* move = MoveBy::create(1.0f, Vec2(100, 0));
    move->setTag(7);
    actions()->addAction(move, node(), true);
    tick(0.5f);
    EXPECT_EQ(node()->getPositionX(), 0.0f);
    EXPECT_EQ(actions()->getActionByTag(7, node()), move);
    actions()->resumeTarget(node());
    tick(0.5f); // first step after resuming still ignores its dt
    tick(0.5f);
    EXPECT_NEAR(node()->getPositionX(), 50.0f, 0.01f);
    actions()->removeActionByTag(7, node());
    EXPECT_EQ(actions()->getActionByTag(7, node()), nullptr);
    EXPECT_EQ(tick(0.5f), 0);
}

TEST_F(ActionTiming, ADelayedCallFuncInARunningSceneFiresOnTheRightFrame) {
    auto* scene = Scene::create();
    int firedOnFrame = -1;
    int frame = 0;
    scene->runAction(
        Sequence::create(DelayTime::create(1.0f), CallFunc::create([&] { firedOnFrame = frame; }), nullptr));
    director()->runWithScene(scene);
    // Frame 1 only swaps the scene in; frame 2 is the action's first step (its dt ignored); frames
    // 3..6 add 0.25 each, so the delay completes on frame 6.
    for (frame = 1; frame <= 8; ++frame) {
        step(0.25f);
    }
    EXPECT_EQ(firedOnFrame, 6);
}
