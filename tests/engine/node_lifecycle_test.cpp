// Node life cycle: enter/exit/cleanup order, actions and callbacks of nodes joining and leaving.
#include "engine/EngineFixture.h"

USING_NS_CC;

namespace {
class Probe : public Node {
public:
    static Probe* create(const std::string& name, std::vector<std::string>* journal) {
        auto* probe = new Probe();
        probe->setName(name);
        probe->_journal = journal;
        probe->autorelease();
        return probe;
    }
    void onEnter() override {
        _journal->push_back(getName() + ":enter");
        Node::onEnter();
    }
    void onEnterTransitionDidFinish() override {
        Node::onEnterTransitionDidFinish();
        _journal->push_back(getName() + ":entered");
    }
    void onExit() override {
        _journal->push_back(getName() + ":exit");
        Node::onExit();
    }
    void cleanup() override {
        _journal->push_back(getName() + ":cleanup");
        Node::cleanup();
    }

private:
    std::vector<std::string>* _journal = nullptr;
};
} // namespace

class NodeLifecycleTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        scene = Scene::create();
        director()->runWithScene(scene);
        step(1.0f / 60);
    }
    Scene* scene = nullptr;
    std::vector<std::string> journal;
};

TEST_F(NodeLifecycleTest, JoiningARunningTreeEntersParentsBeforeChildren) {
    Probe* parent = Probe::create("p", &journal);
    parent->addChild(Probe::create("c", &journal));
    EXPECT_TRUE(journal.empty());
    scene->addChild(parent);
    EXPECT_EQ(journal, std::vector<std::string>({"p:enter", "c:enter", "c:entered", "p:entered"}));
    EXPECT_TRUE(parent->isRunning());

    journal.clear();
    parent->removeFromParent();
    EXPECT_EQ(journal, std::vector<std::string>({"p:exit", "c:exit", "p:cleanup", "c:cleanup"}));
    EXPECT_FALSE(parent->isRunning());
}

TEST_F(NodeLifecycleTest, RemovingWithoutCleanupKeepsActionsForLater) {
    Node* node = Node::create();
    node->retain();
    scene->addChild(node);
    node->runAction(MoveBy::create(1.0f, Vec2(100, 0)));
    step(0.25f, 2);
    node->removeFromParentAndCleanup(false);
    EXPECT_EQ(node->getNumberOfRunningActions(), 1);
    float x = node->getPositionX();
    step(0.25f, 2); // paused while outside the tree
    EXPECT_FLOAT_EQ(node->getPositionX(), x);
    scene->addChild(node);
    step(0.25f, 4);
    EXPECT_FLOAT_EQ(node->getPositionX(), 100);

    node->runAction(MoveBy::create(1.0f, Vec2(100, 0)));
    node->removeFromParent(); // with cleanup
    EXPECT_EQ(node->getNumberOfRunningActions(), 0);
    node->release();
}

TEST_F(NodeLifecycleTest, ActionsOnANodeOutsideTheTreeWaitForItToEnter) {
    Sprite* sprite = Sprite::create();
    sprite->retain(); // as a retained property would: actions alone don't keep a node
    sprite->setOpacity(0);
    sprite->runAction(FadeIn::create(0.5f));
    step(0.25f, 4);
    EXPECT_EQ(sprite->getOpacity(), 0);
    scene->addChild(sprite);
    step(0.25f, 3);
    EXPECT_EQ(sprite->getOpacity(), 255);
    sprite->release();
}

TEST_F(NodeLifecycleTest, UpdateAndTimersFollowTheNodeIntoAndOutOfTheTree) {
    int updates = 0;
    struct Counter : Node {
        int* count = nullptr;
        void update(float) override { ++*count; }
    };
    auto* counter = new Counter();
    counter->count = &updates;
    counter->scheduleUpdate(); // not running yet: paused
    step(1.0f / 60, 2);
    EXPECT_EQ(updates, 0);
    scene->addChild(counter);
    step(1.0f / 60, 2);
    EXPECT_EQ(updates, 2);
    counter->unscheduleUpdate();
    step(1.0f / 60);
    EXPECT_EQ(updates, 2);

    int fires = 0;
    counter->scheduleOnce([&](float) { ++fires; }, 0.1f, "once");
    EXPECT_TRUE(counter->isScheduled("once"));
    step(0.05f, 6);
    EXPECT_EQ(fires, 1);
    EXPECT_FALSE(counter->isScheduled("once"));
    counter->release();
}

TEST_F(NodeLifecycleTest, ChildrenAreFoundByTagAndNameAndRemovedTogether) {
    Node* a = Node::create();
    Node* b = Node::create();
    scene->addChild(a, 0, 7);
    scene->addChild(b, 0, "bee");
    EXPECT_EQ(scene->getChildByTag(7), a);
    EXPECT_EQ(scene->getChildByName("bee"), b);
    EXPECT_EQ(scene->getChildByTag<Node*>(8), nullptr);
    scene->removeChildByTag(7);
    EXPECT_EQ(scene->getChildrenCount(), 1);
    scene->removeChild(a); // no longer a child: nothing happens
    Probe* probe = Probe::create("q", &journal);
    scene->addChild(probe);
    journal.clear();
    scene->removeAllChildren();
    EXPECT_EQ(scene->getChildrenCount(), 0);
    EXPECT_EQ(journal, std::vector<std::string>({"q:exit", "q:cleanup"}));
    EXPECT_EQ(b->getParent(), nullptr);
}

TEST_F(NodeLifecycleTest, BoundingBoxFollowsAnchorScaleAndPosition) {
    Node* node = Node::create();
    node->setContentSize(Size(100, 50));
    node->setAnchorPoint(Vec2(0.5f, 0.5f));
    node->setPosition(200, 100);
    node->setScale(2, 0.5f);
    Rect box = node->getBoundingBox();
    EXPECT_FLOAT_EQ(box.origin.x, 100);
    EXPECT_FLOAT_EQ(box.origin.y, 87.5f);
    EXPECT_FLOAT_EQ(box.size.width, 200);
    EXPECT_FLOAT_EQ(box.size.height, 25);
}
