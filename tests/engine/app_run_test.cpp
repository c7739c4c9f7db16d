#include <chrono>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "audio/include/AudioEngine.h"
#include "ext/Audio.h"

USING_NS_CC;

namespace {

// Records what the engine does to it; on frame `closeAt` it either ends the Director (as a game's
// quit button would) or closes the view (as the window's close box would).
class ProbeNode : public Node {
public:
    static ProbeNode* create(std::vector<std::string>* trace, int closeAt, bool viaDirector) {
        auto* node = new ProbeNode();
        node->init();
        node->autorelease();
        node->_trace = trace;
        node->_closeAt = closeAt;
        node->_viaDirector = viaDirector;
        node->scheduleUpdate();
        return node;
    }
    void update(float) override {
        if (++_frames == _closeAt) {
            _trace->push_back("close");
            if (_viaDirector) {
                Director::getInstance()->end();
            } else {
                Director::getInstance()->getOpenGLView()->end();
            }
        }
    }
    void onExit() override {
        _trace->push_back("exit after " + std::to_string(_frames));
        Node::onExit();
    }

private:
    std::vector<std::string>* _trace = nullptr;
    int _frames = 0;
    int _closeAt = 0;
    bool _viaDirector = true;
};

class ProbeApp : public Application {
public:
    ProbeApp(std::vector<std::string>* trace, bool launch, bool viaDirector)
        : _trace(trace), _launch(launch), _viaDirector(viaDirector) {}

    void initGLContextAttrs() override { _trace->push_back("attrs"); }
    bool applicationDidFinishLaunching() override {
        _trace->push_back("launched");
        if (!_launch) {
            return false;
        }
        Scene* scene = Scene::create();
        scene->addChild(ProbeNode::create(_trace, 6, _viaDirector));
        Director::getInstance()->runWithScene(scene);
        return true;
    }
    void applicationDidEnterBackground() override { _trace->push_back("background"); }
    void applicationWillEnterForeground() override { _trace->push_back("foreground"); }

private:
    std::vector<std::string>* _trace;
    bool _launch;
    bool _viaDirector;
};

using AppRunTest = EngineFixture;

TEST_F(AppRunTest, DirectorEndStopsTheLoopWithExitCodeZero) {
    std::vector<std::string> trace;
    int code = -1;
    std::chrono::duration<double> took{};
    {
        ProbeApp app(&trace, true, true);
        EXPECT_EQ(Application::getInstance(), &app);
        const auto start = std::chrono::steady_clock::now();
        code = Application::getInstance()->run();
        took = std::chrono::steady_clock::now() - start;
    }
    EXPECT_EQ(code, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"attrs", "launched", "close", "exit after 6"}));
    // Frames are paced to the 1/60 s animation interval: seven frames cannot take under ~0.1 s.
    EXPECT_GE(took.count(), 6 / 60.0 - 0.01);
    EXPECT_EQ(Application::getInstance(), nullptr);
}

TEST_F(AppRunTest, ClosingTheWindowPurgesTheRunningSceneAndReturnsZero) {
    std::vector<std::string> trace;
    ProbeApp app(&trace, true, false);
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"attrs", "launched", "close", "exit after 6"}));
    EXPECT_EQ(ext::activeAudioCount(), 0);
}

TEST_F(AppRunTest, AFailedLaunchReturnsAtOnce) {
    std::vector<std::string> trace;
    ProbeApp app(&trace, false, true);
    EXPECT_EQ(app.run(), 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"attrs", "launched"}));
}

} // namespace
