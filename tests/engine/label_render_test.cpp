// What labels put on screen: Japanese glyphs, outline under fill, alignment inside a fixed box.
#include "engine/EngineFixture.h"

USING_NS_CC;

namespace {
struct Coverage {
    int lit = 0;     // any non-black pixel
    int reddish = 0; // outline-coloured pixels
    int whiteish = 0;
    int minX = 1 << 30;
    int maxX = -1;
};

Coverage scan(int x0, int y0, int x1, int y1) {
    Coverage c;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            unsigned int p = EngineFixture::pixel(x, y);
            if (rgbOf(p) == 0) {
                continue;
            }
            ++c.lit;
            c.minX = std::min(c.minX, x);
            c.maxX = std::max(c.maxX, x);
            if (redOf(p) > 200 && greenOf(p) < 60) {
                ++c.reddish;
            }
            if (redOf(p) > 200 && greenOf(p) > 200 && blueOf(p) > 200) {
                ++c.whiteish;
            }
        }
    }
    return c;
}
} // namespace

class LabelRenderTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        scene = Scene::create();
        director()->runWithScene(scene);
    }
    Scene* scene = nullptr;
};

TEST_F(LabelRenderTest, OutlinedJapaneseShowsFillInsideOutline) {
    Label* label = Label::createWithTTF("日本語のテキスト", cjkFont(), 40);
    label->enableOutline(Color4B::RED, 3);
    label->setPosition(640, 360);
    scene->addChild(label);
    step(1.0f / 60);
    Coverage c = scan(300, 300, 980, 420);
    EXPECT_GT(c.whiteish, 500);
    EXPECT_GT(c.reddish, 500);
    // Centred on its position, spilling no further than the outline.
    float half = label->getContentSize().width / 2;
    EXPECT_GE(c.minX, static_cast<int>(640 - half - 4));
    EXPECT_LE(c.maxX, static_cast<int>(640 + half + 4));
}

TEST_F(LabelRenderTest, HorizontalAlignmentPlacesLinesInsideTheBox) {
    auto place = [&](TextHAlignment align) {
        Label* label =
            Label::createWithTTF("ab", cjkFont(), 30, Size(400, 60), align, TextVAlignment::CENTER);
        label->setAnchorPoint(Vec2::ZERO);
        label->setPosition(100, 300);
        scene->addChild(label);
        step(1.0f / 60);
        Coverage c = scan(90, 720 - 370, 520, 720 - 290);
        label->removeFromParent();
        return c;
    };
    Coverage left = place(TextHAlignment::LEFT);
    Coverage centre = place(TextHAlignment::CENTER);
    Coverage right = place(TextHAlignment::RIGHT);
    EXPECT_LT(left.minX, 110);
    EXPECT_NEAR((centre.minX + centre.maxX) / 2.0, 300, 4);
    EXPECT_GT(right.maxX, 490);
    EXPECT_LE(right.maxX, 500);
}

TEST_F(LabelRenderTest, TextColourAndNodeTintMultiply) {
    Label* label = Label::createWithTTF("■■■", cjkFont(), 60);
    label->setTextColor(Color4B(255, 255, 0, 255));
    label->setColor(Color3B(255, 0, 255)); // yellow x magenta = red
    label->setPosition(640, 360);
    scene->addChild(label);
    step(1.0f / 60);
    unsigned int p = pixelAtDesign(640, 360);
    EXPECT_GT(redOf(p), 200);
    EXPECT_LT(greenOf(p), 20);
    EXPECT_LT(blueOf(p), 20);
}

// In a fixed-height box the block is placed by the vertical alignment and whatever falls
// outside the box is cut off.
TEST_F(LabelRenderTest, FixedHeightBoxAlignsVerticallyAndClips) {
    auto litRows = [&](TextVAlignment align) {
        Label* label =
            Label::createWithTTF("■\n■\n■", cjkFont(), 40, Size(100, 100), TextHAlignment::LEFT, align);
        label->setAnchorPoint(Vec2::ZERO);
        label->setPosition(100, 300); // box spans design y 300..400, frame rows 320..420
        scene->addChild(label);
        step(1.0f / 60);
        int top = -1, bottom = -1;
        for (int y = 250; y < 500; ++y) {
            if (rgbOf(pixel(120, y)) != 0) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        label->removeFromParent();
        return std::make_pair(top, bottom);
    };
    auto top = litRows(TextVAlignment::TOP);
    auto bottom = litRows(TextVAlignment::BOTTOM);
    // Three lines never fit in 100 points: TOP cuts the last one, BOTTOM the first.
    EXPECT_GE(top.first, 320);
    EXPECT_LE(top.second, 420);
    EXPECT_LT(top.first, 345); // the first line starts at the top, below its ascent space
    EXPECT_GE(bottom.first, 320);
    EXPECT_LE(bottom.second, 420);
    EXPECT_GT(bottom.second, 405);
}

// Labels of one font at different sizes share its open face: each still lays out and draws at
// its own size, whichever was rendered last.
TEST_F(LabelRenderTest, SizesOfOneFontKeepTheirOwnSizeWhenRenderedInTurn) {
    Label* small = Label::createWithTTF("日本語", cjkFont(), 20);
    Label* large = Label::createWithTTF("日本語", cjkFont(), 60);
    const float smallWidth = small->getContentSize().width, largeWidth = large->getContentSize().width;
    EXPECT_NEAR(largeWidth, 3 * smallWidth, 3.0f);
    small->setPosition(300, 600);
    large->setPosition(900, 200);
    scene->addChild(small);
    scene->addChild(large);
    step(1.0f / 60);
    // Each turn renders the other size first.
    small->setString("日本語です");
    large->setString("日本語です");
    step(1.0f / 60);
    small->setString("日本語");
    step(1.0f / 60);
    EXPECT_NEAR(small->getContentSize().width, smallWidth, 0.5f);
    const Coverage smallInk = scan(200, 60, 400, 180);   // y down: 720 - 600 = 120
    const Coverage largeInk = scan(700, 440, 1100, 600); // 720 - 200 = 520
    ASSERT_GT(smallInk.lit, 0);
    ASSERT_GT(largeInk.lit, 0);
    EXPECT_NEAR(smallInk.maxX - smallInk.minX, smallWidth, 4.0f);
    EXPECT_GT(largeInk.lit, 6 * smallInk.lit) << "three times the size, nine times the ink";
}
