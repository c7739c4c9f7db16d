// Where nested, rotated, scaled and anchored nodes actually land in a drawn frame.
#include "engine/EngineFixture.h"

USING_NS_CC;

namespace {
constexpr unsigned int kRed = 0xFF0000u;
constexpr unsigned int kGreen = 0x00FF00u;
constexpr unsigned int kBlack = 0x000000u;

Sprite* box(float w, float h, const Color3B& color) {
    Sprite* sprite = Sprite::create();
    sprite->setTextureRect(Rect(0, 0, w, h));
    sprite->setColor(color);
    return sprite;
}
} // namespace

class RenderTransformTest : public EngineFixture {
protected:
    Scene* runScene() {
        Scene* scene = Scene::create();
        director()->runWithScene(scene);
        return scene;
    }
};

// Parent at (400, 300), turned 90 degrees clockwise and doubled; child box 40x20 at (50, 0) with
// its anchor at its bottom-left. Parent space: [100,180]x[0,40]; clockwise turn maps (x, y) to
// (y, -x): [0,40]x[-180,-100]; moved: x in [400,440], y in [120,200] (design, y up).
TEST_F(RenderTransformTest, NestedRotatedScaledChildLandsWhereTheMathSays) {
    Scene* scene = runScene();
    Node* parent = Node::create();
    parent->setPosition(400, 300);
    parent->setRotation(90);
    parent->setScale(2);
    scene->addChild(parent);
    Sprite* child = box(40, 20, Color3B::RED);
    child->setAnchorPoint(Vec2::ZERO);
    child->setPosition(50, 0);
    parent->addChild(child);
    step(1.0f / 60);

    EXPECT_EQ(rgbOf(pixelAtDesign(420, 160)), kRed);
    EXPECT_EQ(rgbOf(pixelAtDesign(402, 122)), kRed);
    EXPECT_EQ(rgbOf(pixelAtDesign(438, 198)), kRed);
    // Just outside every edge.
    EXPECT_EQ(rgbOf(pixelAtDesign(397, 160)), kBlack);
    EXPECT_EQ(rgbOf(pixelAtDesign(443, 160)), kBlack);
    EXPECT_EQ(rgbOf(pixelAtDesign(420, 117)), kBlack);
    EXPECT_EQ(rgbOf(pixelAtDesign(420, 203)), kBlack);
    // An anticlockwise reading would have put it above the parent instead.
    EXPECT_EQ(rgbOf(pixelAtDesign(380, 440)), kBlack);

    // The child's local top-left corner goes to the parent's far bottom-left.
    Vec2 topLeft = child->convertToWorldSpace(Vec2(0, 20));
    EXPECT_NEAR(topLeft.x, 440, 0.01);
    EXPECT_NEAR(topLeft.y, 200, 0.01);
    Vec2 bottomRight = child->convertToWorldSpace(Vec2(40, 0));
    EXPECT_NEAR(bottomRight.x, 400, 0.01);
    EXPECT_NEAR(bottomRight.y, 120, 0.01);
}

// Rotation and scale pivot on the anchor, wherever the node is positioned from.
TEST_F(RenderTransformTest, CentredAnchorPivotsInPlace) {
    Scene* scene = runScene();
    Sprite* bar = box(100, 20, Color3B::GREEN); // anchor (0.5, 0.5) by default
    bar->setPosition(640, 360);
    bar->setRotation(90);
    bar->setScaleX(0.5f); // 50 wide before turning -> 50 tall after
    scene->addChild(bar);
    step(1.0f / 60);

    EXPECT_EQ(rgbOf(pixelAtDesign(640, 360 + 22)), kGreen);
    EXPECT_EQ(rgbOf(pixelAtDesign(640, 360 - 22)), kGreen);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 8, 360)), kGreen);
    EXPECT_EQ(rgbOf(pixelAtDesign(640, 360 + 28)), kBlack);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 13, 360)), kBlack);
    Rect bounds = bar->getBoundingBox();
    EXPECT_NEAR(bounds.getMinX(), 630, 0.01);
    EXPECT_NEAR(bounds.getMaxY(), 385, 0.01);
}

// A node that ignores its anchor for positioning puts its origin at the position, yet still
// turns around the anchor: a 200x100 layer-like node at (100, 100) turned 180 degrees covers the
// same area, and its bottom-left child ends up at the top-right.
TEST_F(RenderTransformTest, IgnoredAnchorStillPivotsOnAnchor) {
    Scene* scene = runScene();
    Node* holder = Node::create();
    holder->setContentSize(Size(200, 100));
    holder->setAnchorPoint(Vec2(0.5f, 0.5f));
    holder->setIgnoreAnchorPointForPosition(true);
    holder->setPosition(100, 100);
    holder->setRotation(180);
    scene->addChild(holder);
    Sprite* corner = box(10, 10, Color3B::RED);
    corner->setAnchorPoint(Vec2::ZERO);
    holder->addChild(corner);
    step(1.0f / 60);

    EXPECT_EQ(rgbOf(pixelAtDesign(295, 195)), kRed);
    EXPECT_EQ(rgbOf(pixelAtDesign(105, 105)), kBlack);
    Vec2 world = corner->convertToWorldSpace(Vec2::ZERO);
    EXPECT_NEAR(world.x, 300, 0.01);
    EXPECT_NEAR(world.y, 200, 0.01);
    Vec2 back = corner->convertToNodeSpace(world);
    EXPECT_NEAR(back.x, 0, 0.01);
    EXPECT_NEAR(back.y, 0, 0.01);
}

TEST_F(RenderTransformTest, SceneCoversTheDesignAreaAndHiddenNodesHideTheirSubtree) {
    Scene* scene = runScene();
    EXPECT_EQ(scene->getContentSize().width, 1280);
    EXPECT_EQ(scene->getContentSize().height, 720);
    EXPECT_EQ(scene->getChildrenCount(), 0); // no hidden camera child here
    Node* group = Node::create();
    scene->addChild(group);
    Sprite* inside = box(50, 50, Color3B::RED);
    inside->setPosition(100, 100);
    group->addChild(inside);
    group->setVisible(false);
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(100, 100)), kBlack);
    group->setVisible(true);
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(100, 100)), kRed);
}
