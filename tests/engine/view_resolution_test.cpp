// Design-to-frame mapping under the resolution policies, and input arriving in design space.
#include "engine/EngineFixture.h"

#include "ext/Input.h"

USING_NS_CC;

namespace {
struct Mapping {
    Size frame;
    float scale;
    Size visible;
    Vec2 origin;
    Rect viewport;
};
} // namespace

class ViewResolutionTest : public EngineFixture {
protected:
    void useFrame(const Size& frame, const Size& design, ResolutionPolicy policy) {
        ext::startHeadless(static_cast<int>(frame.width), static_cast<int>(frame.height));
        view()->setDesignResolutionSize(design.width, design.height, policy);
    }
    void expectMapping(const Mapping& m) {
        SCOPED_TRACE(testing::Message() << "frame " << m.frame.width << "x" << m.frame.height);
        EXPECT_NEAR(view()->getScaleX(), m.scale, 1e-4);
        EXPECT_NEAR(view()->getScaleY(), m.scale, 1e-4);
        EXPECT_NEAR(director()->getVisibleSize().width, m.visible.width, 0.01);
        EXPECT_NEAR(director()->getVisibleSize().height, m.visible.height, 0.01);
        EXPECT_NEAR(director()->getVisibleOrigin().x, m.origin.x, 0.01);
        EXPECT_NEAR(director()->getVisibleOrigin().y, m.origin.y, 0.01);
        const Rect& vp = view()->getViewPortRect();
        EXPECT_NEAR(vp.origin.x, m.viewport.origin.x, 0.05);
        EXPECT_NEAR(vp.origin.y, m.viewport.origin.y, 0.05);
        EXPECT_NEAR(vp.size.width, m.viewport.size.width, 0.05);
        EXPECT_NEAR(vp.size.height, m.viewport.size.height, 0.05);
    }
};

TEST_F(ViewResolutionTest, NoBorderFillsTheFrameAndCropsTheLongerSide) {
    const Size design(1280, 720);
    useFrame(Size(1280, 720), design, ResolutionPolicy::NO_BORDER);
    expectMapping({Size(1280, 720), 1.0f, Size(1280, 720), Vec2(0, 0), Rect(0, 0, 1280, 720)});
    useFrame(Size(1920, 1080), design, ResolutionPolicy::NO_BORDER);
    expectMapping({Size(1920, 1080), 1.5f, Size(1280, 720), Vec2(0, 0), Rect(0, 0, 1920, 1080)});
    // 4:3: height decides (768/720), the sides are cut: 960 design points stay visible.
    useFrame(Size(1024, 768), design, ResolutionPolicy::NO_BORDER);
    expectMapping(
        {Size(1024, 768), 768.0f / 720, Size(960, 720), Vec2(160, 0), Rect(-170.667f, 0, 1365.333f, 768)});
    EXPECT_EQ(director()->getWinSize().width, 1280);
    EXPECT_EQ(director()->getWinSize().height, 720);
    // The framework's own example: 960x640 design in a 1280x720 frame.
    useFrame(Size(1280, 720), Size(960, 640), ResolutionPolicy::NO_BORDER);
    expectMapping(
        {Size(1280, 720), 4.0f / 3, Size(960, 540), Vec2(0, 50), Rect(0, -66.667f, 1280, 853.333f)});
    EXPECT_EQ(director()->getWinSize().width, 960);
}

TEST_F(ViewResolutionTest, ShowAllLetterboxesAndKeepsTheWholeDesignVisible) {
    useFrame(Size(1024, 768), Size(1280, 720), ResolutionPolicy::SHOW_ALL);
    expectMapping({Size(1024, 768), 0.8f, Size(1280, 720), Vec2(0, 0), Rect(0, 96, 1024, 576)});
}

TEST_F(ViewResolutionTest, UnknownPolicyAndEmptySizesAreIgnored) {
    view()->setDesignResolutionSize(0, 720, ResolutionPolicy::SHOW_ALL);
    view()->setDesignResolutionSize(800, 600, ResolutionPolicy::UNKNOWN);
    EXPECT_EQ(view()->getResolutionPolicy(), ResolutionPolicy::NO_BORDER);
    EXPECT_EQ(director()->getWinSize().width, 1280);
    EXPECT_TRUE(logContains("resolution policy"));
}

// In a cropped 4:3 frame the visible area's corners sit exactly on the frame's corners.
TEST_F(ViewResolutionTest, CroppedFrameDrawsTheVisibleAreaEdgeToEdge) {
    useFrame(Size(1024, 768), Size(1280, 720), ResolutionPolicy::NO_BORDER);
    Scene* scene = Scene::create();
    director()->runWithScene(scene);
    Vec2 origin = director()->getVisibleOrigin();
    Size visible = director()->getVisibleSize();
    auto addCorner = [&](const Vec2& anchor, const Vec2& at) {
        Sprite* corner = Sprite::create();
        corner->setTextureRect(Rect(0, 0, 15, 15));
        corner->setAnchorPoint(anchor);
        corner->setPosition(at);
        scene->addChild(corner);
    };
    addCorner(Vec2(0, 0), origin);
    addCorner(Vec2(1, 1), origin + Vec2(visible.width, visible.height));
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixel(1, 766)), 0xFFFFFFu);
    EXPECT_EQ(rgbOf(pixel(1022, 1)), 0xFFFFFFu);
    EXPECT_EQ(rgbOf(pixel(20, 766)), 0u);
    EXPECT_EQ(rgbOf(pixel(1000, 1)), 0u);
    // And the way back, for the mouse: frame corners are the visible corners.
    Vec2 bottomLeft = view()->frameToDesign(0, 768);
    EXPECT_NEAR(bottomLeft.x, 160, 0.01);
    EXPECT_NEAR(bottomLeft.y, 0, 0.01);
    Vec2 topRight = view()->frameToDesign(1024, 0);
    EXPECT_NEAR(topRight.x, 1120, 0.01);
    EXPECT_NEAR(topRight.y, 720, 0.01);
}

// Injected input is dispatched inside the next frame, before the scheduler, in design space.
TEST_F(ViewResolutionTest, InjectedInputArrivesInTheNextFrameBeforeUpdates) {
    Scene* scene = Scene::create();
    director()->runWithScene(scene);
    step(1.0f / 60);
    std::vector<std::string> seen;
    auto keys = EventListenerKeyboard::create();
    keys->onKeyPressed = [&](EventKeyboard::KeyCode code, Event*) {
        seen.push_back("down " + std::to_string(static_cast<int>(code)));
    };
    keys->onKeyReleased = [&](EventKeyboard::KeyCode code, Event*) {
        seen.push_back("up " + std::to_string(static_cast<int>(code)));
    };
    director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(keys, scene);
    auto touches = EventListenerTouchOneByOne::create();
    touches->onTouchBegan = [&](Touch* touch, Event*) {
        seen.push_back("began " + std::to_string(static_cast<int>(touch->getLocation().x)) + "," +
                       std::to_string(static_cast<int>(touch->getLocation().y)));
        return true;
    };
    touches->onTouchEnded = [&](Touch* touch, Event*) {
        seen.push_back("ended " + std::to_string(static_cast<int>(touch->getStartLocation().x)));
    };
    director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(touches, scene);
    scene->schedule([&](float) { seen.push_back("tick"); }, "tick");
    step(1.0f / 60); // arms the timer

    ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
    ext::click(Vec2(300, 200));
    EXPECT_TRUE(seen.empty());
    step(1.0f / 60);
    EXPECT_EQ(seen, std::vector<std::string>({"down 59", "up 59", "began 300,200", "ended 300", "tick"}));
}
