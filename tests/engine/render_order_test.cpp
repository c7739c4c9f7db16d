// Draw order (z, then arrival) and opacity/colour cascading, read back from drawn frames.
#include "engine/EngineFixture.h"

USING_NS_CC;

namespace {
Sprite* box(float x, float y, float size, const Color3B& color) {
    Sprite* sprite = Sprite::create();
    sprite->setTextureRect(Rect(0, 0, size, size));
    sprite->setColor(color);
    sprite->setPosition(x, y);
    return sprite;
}
} // namespace

class RenderOrderTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        scene = Scene::create();
        director()->runWithScene(scene);
    }
    unsigned int centre() { return rgbOf(pixelAtDesign(640, 360)); }

    Scene* scene = nullptr;
};

TEST_F(RenderOrderTest, HigherZDrawsOnTopAndEqualZKeepsArrivalOrder) {
    Sprite* red = box(640, 360, 100, Color3B::RED);
    Sprite* green = box(640, 360, 100, Color3B::GREEN);
    Sprite* blue = box(640, 360, 100, Color3B::BLUE);
    scene->addChild(red, 1);
    scene->addChild(green, 0); // added later but lower: underneath
    scene->addChild(blue, 1);  // same z as red, arrived later: on top
    step(1.0f / 60);
    EXPECT_EQ(centre(), 0x0000FFu);
    ASSERT_EQ(scene->getChildrenCount(), 3);
    EXPECT_EQ(scene->getChildren().at(0), green);
    EXPECT_EQ(scene->getChildren().at(2), blue);

    // Setting the same z changes nothing; re-ordering to an equal z moves it after its equals.
    red->setLocalZOrder(1);
    step(1.0f / 60);
    EXPECT_EQ(centre(), 0x0000FFu);
    scene->reorderChild(red, 1);
    step(1.0f / 60);
    EXPECT_EQ(centre(), 0xFF0000u);
    green->setLocalZOrder(5);
    step(1.0f / 60);
    EXPECT_EQ(centre(), 0x00FF00u);
}

TEST_F(RenderOrderTest, NegativeZChildrenDrawBeneathTheirParent) {
    Sprite* parent = box(640, 360, 100, Color3B::RED);
    scene->addChild(parent);
    Sprite* under = box(50, 50, 200, Color3B::BLUE); // centred on the parent's centre, bigger
    parent->addChild(under, -1);
    Sprite* over = box(50, 50, 20, Color3B::GREEN);
    parent->addChild(over, 0);
    step(1.0f / 60);
    EXPECT_EQ(centre(), 0x00FF00u);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 30, 360)), 0xFF0000u); // parent over the negative child
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 80, 360)), 0x0000FFu); // only the negative child
}

TEST_F(RenderOrderTest, OpacityReachesChildrenOnlyWhenTheParentCascades) {
    Sprite* parent = box(300, 360, 100, Color3B::WHITE);
    scene->addChild(parent);
    Sprite* child = box(250, 50, 100, Color3B::WHITE); // drawn at (500, 360) in the design area
    parent->addChild(child);
    parent->setOpacity(128);
    step(1.0f / 60);
    EXPECT_NEAR(redOf(pixelAtDesign(300, 360)), 128, 2);
    EXPECT_EQ(child->getDisplayedOpacity(), 255);
    EXPECT_EQ(redOf(pixelAtDesign(500, 360)), 255);

    parent->setCascadeOpacityEnabled(true);
    step(1.0f / 60);
    EXPECT_EQ(child->getDisplayedOpacity(), 128);
    EXPECT_NEAR(redOf(pixelAtDesign(500, 360)), 128, 2);

    // Grandchildren follow through a cascading child, and a later setOpacity on the child
    // still multiplies with the parent's.
    child->setCascadeOpacityEnabled(true);
    Node* grandchild = Node::create();
    child->addChild(grandchild);
    EXPECT_EQ(grandchild->getDisplayedOpacity(), 128);
    child->setOpacity(128);
    EXPECT_EQ(child->getDisplayedOpacity(), 64);
    EXPECT_EQ(grandchild->getDisplayedOpacity(), 64);

    parent->setCascadeOpacityEnabled(false);
    EXPECT_EQ(child->getDisplayedOpacity(), 128);
    EXPECT_EQ(parent->getDisplayedOpacity(), 128);
}

TEST_F(RenderOrderTest, ColourTintsSpritesAndCascadesLikeOpacity) {
    Sprite* parent = box(640, 360, 100, Color3B(255, 128, 0));
    scene->addChild(parent);
    Node* child = Node::create();
    parent->addChild(child);
    step(1.0f / 60);
    EXPECT_EQ(centre(), 0xFF8000u);
    EXPECT_EQ(child->getDisplayedColor(), Color3B::WHITE);
    parent->setCascadeColorEnabled(true);
    EXPECT_EQ(child->getDisplayedColor(), Color3B(255, 128, 0));
}

TEST_F(RenderOrderTest, NullAndDoubleParentedChildrenAreRefusedWithALogLine) {
    scene->addChild(nullptr);
    scene->addChild(nullptr, 3, 7);
    scene->addChild(nullptr, 3, "name");
    EXPECT_EQ(scene->getChildrenCount(), 0);
    EXPECT_TRUE(logContains("null child"));

    Node* child = Node::create();
    Node* other = Node::create();
    scene->addChild(child);
    scene->addChild(other);
    other->addChild(child);
    EXPECT_EQ(child->getParent(), scene);
    EXPECT_TRUE(logContains("already has a parent"));
    step(1.0f / 60);
}
