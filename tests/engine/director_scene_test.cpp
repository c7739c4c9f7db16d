// The Director's frame: first dt, the deferred scene swap and what the old scene leaves behind.
#include "engine/EngineFixture.h"

#include <string>
#include <vector>

USING_NS_CC;

namespace {
// Records its life cycle into a shared journal.
class JournalScene : public Scene {
public:
    static JournalScene* create(const std::string& name, std::vector<std::string>* journal) {
        auto* scene = new JournalScene();
        scene->_label = name;
        scene->_journal = journal;
        scene->init();
        scene->autorelease();
        return scene;
    }
    ~JournalScene() override { _journal->push_back(_label + ":destroyed"); }
    void onEnter() override {
        Scene::onEnter();
        _journal->push_back(_label + ":enter");
    }
    void onExit() override {
        _journal->push_back(_label + ":exit");
        Scene::onExit();
    }
    void cleanup() override {
        _journal->push_back(_label + ":cleanup");
        Scene::cleanup();
    }
    void update(float dt) override {
        dts.push_back(dt);
        if (onUpdate) {
            onUpdate();
        }
    }

    std::vector<float> dts;
    std::function<void()> onUpdate;

private:
    std::string _label;
    std::vector<std::string>* _journal = nullptr;
};
} // namespace

class DirectorSceneTest : public EngineFixture {
protected:
    std::vector<std::string> journal;
};

TEST_F(DirectorSceneTest, RunWithSceneEntersOnTheFirstFrameWhichGetsZeroDt) {
    auto* scene = JournalScene::create("A", &journal);
    scene->scheduleUpdate();
    director()->runWithScene(scene);
    EXPECT_EQ(director()->getRunningScene(), nullptr);
    EXPECT_FALSE(scene->isRunning());

    step(0.5f);
    EXPECT_EQ(director()->getRunningScene(), scene);
    EXPECT_EQ(journal, std::vector<std::string>({"A:enter"}));
    EXPECT_TRUE(scene->dts.empty()); // entered after this frame's tick

    step(0.25f);
    step(0.25f);
    ASSERT_EQ(scene->dts.size(), 2u);
    EXPECT_FLOAT_EQ(scene->dts[0], 0.25f);
    EXPECT_FLOAT_EQ(director()->getDeltaTime(), 0.25f);
}

TEST_F(DirectorSceneTest, FirstFrameAfterStartAnimationHasZeroDt) {
    auto* scene = JournalScene::create("A", &journal);
    scene->scheduleUpdate();
    director()->runWithScene(scene);
    step(0.1f, 2);
    director()->stopAnimation();
    step(0.1f, 3); // nothing runs while stopped
    EXPECT_EQ(scene->dts.size(), 1u);
    director()->startAnimation();
    step(0.1f);
    ASSERT_EQ(scene->dts.size(), 2u);
    EXPECT_FLOAT_EQ(scene->dts[1], 0.0f);
}

TEST_F(DirectorSceneTest, ReplaceSceneSwapsAfterTheTickAndCleansTheOldScene) {
    auto* first = JournalScene::create("A", &journal);
    director()->runWithScene(first);
    step(1.0f / 60);
    int oldTimerFires = 0;
    first->schedule([&](float) { ++oldTimerFires; }, "tick");
    first->scheduleUpdate();
    auto* second = JournalScene::create("B", &journal);
    second->retain(); // keep it observable across frames
    first->onUpdate = [&] {
        director()->replaceScene(second);
        // Deferred: still the old scene until this frame's tick is over.
        EXPECT_EQ(director()->getRunningScene(), first);
    };
    journal.clear();
    step(1.0f / 60); // arms the timer; update asks for the swap
    step(1.0f / 60);
    EXPECT_EQ(director()->getRunningScene(), second);
    EXPECT_EQ(journal, std::vector<std::string>({"A:exit", "A:cleanup", "A:destroyed", "B:enter"}));
    EXPECT_EQ(oldTimerFires, 0);
    EXPECT_FALSE(director()->getScheduler()->isScheduled("tick", first)); // `first` is gone; identity only
    second->release();
}

TEST_F(DirectorSceneTest, OldSceneCallbacksStopEvenWhenSomeoneKeepsTheScene) {
    auto* first = JournalScene::create("A", &journal);
    first->retain();
    director()->runWithScene(first);
    step(1.0f / 60);
    int fires = 0;
    Node* child = Node::create();
    first->addChild(child);
    child->schedule([&](float) { ++fires; }, 0.0f, "child-tick");
    first->scheduleUpdate();
    step(1.0f / 60, 3);
    EXPECT_EQ(fires, 2); // first tick only arms
    EXPECT_EQ(first->dts.size(), 3u);

    director()->replaceScene(Scene::create());
    step(1.0f / 60); // the swap; the timers fired once more inside this frame's tick
    step(1.0f / 60, 5);
    EXPECT_EQ(fires, 3);
    EXPECT_EQ(first->dts.size(), 4u);
    EXPECT_FALSE(child->isScheduled("child-tick"));
    EXPECT_FALSE(director()->getScheduler()->isScheduled("child-tick", child));
    EXPECT_FALSE(first->isRunning());
    first->release();
}

TEST_F(DirectorSceneTest, ASecondReplaceBeforeTheSwapDropsThePendingScene) {
    auto* first = JournalScene::create("A", &journal);
    director()->runWithScene(first);
    step(1.0f / 60);
    director()->replaceScene(JournalScene::create("B", &journal));
    director()->replaceScene(JournalScene::create("C", &journal));
    step(1.0f / 60);
    // B never entered; it dies when the frame's pool drains, after C is in.
    EXPECT_EQ(journal, std::vector<std::string>({"A:enter", "B:cleanup", "A:exit", "A:cleanup", "A:destroyed",
                                                 "C:enter", "B:destroyed"}));
}

TEST_F(DirectorSceneTest, NullScenesAreRefusedAndTheCurrentSceneStays) {
    auto* first = JournalScene::create("A", &journal);
    director()->runWithScene(first);
    step(1.0f / 60);
    director()->replaceScene(nullptr);
    step(1.0f / 60);
    EXPECT_EQ(director()->getRunningScene(), first);
    EXPECT_TRUE(logContains("replaceScene: refused a null scene"));
    director()->runWithScene(nullptr);
    EXPECT_TRUE(logContains("runWithScene: refused a null scene"));
}

TEST_F(DirectorSceneTest, ReplaceBeforeTheFirstFrameShowsOnlyTheLastScene) {
    auto* first = JournalScene::create("A", &journal);
    director()->runWithScene(first);
    director()->replaceScene(JournalScene::create("B", &journal));
    step(1.0f / 60);
    EXPECT_EQ(journal, std::vector<std::string>({"A:cleanup", "B:enter", "A:destroyed"}));
}

TEST_F(DirectorSceneTest, PoolDrainsOnlyAfterDrawnFrames) {
    director()->runWithScene(Scene::create());
    step(1.0f / 60);
    Node* loose = Node::create();
    loose->retain();
    EXPECT_EQ(loose->getReferenceCount(), 2u);
    director()->stopAnimation();
    step(1.0f / 60);
    EXPECT_EQ(loose->getReferenceCount(), 2u); // no drawing, no drain
    director()->startAnimation();
    step(1.0f / 60);
    EXPECT_EQ(loose->getReferenceCount(), 1u);
    loose->release();
}

TEST_F(DirectorSceneTest, EndPurgesTheRunningSceneAndClosesTheView) {
    auto* first = JournalScene::create("A", &journal);
    director()->runWithScene(first);
    step(1.0f / 60);
    GLView* glview = view();
    glview->retain();
    director()->end();
    step(1.0f / 60);
    EXPECT_EQ(journal, std::vector<std::string>({"A:enter", "A:exit", "A:cleanup", "A:destroyed"}));
    EXPECT_TRUE(glview->windowShouldClose());
    glview->release();
}
