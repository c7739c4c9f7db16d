// Label sizes and line breaking, measured against the font's own metrics.
#include "engine/EngineFixture.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <fstream>

USING_NS_CC;

class LabelLayoutTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        if (!TTF_WasInit()) {
            TTF_Init();
        }
        font = TTF_OpenFontIndex(cjkFont().c_str(), kSize, 0);
        ASSERT_NE(font, nullptr) << cjkFont();
        lineHeight = static_cast<float>(TTF_FontAscent(font) - TTF_FontDescent(font));
    }
    void TearDown() override {
        TTF_CloseFont(font);
        EngineFixture::TearDown();
    }
    float textWidth(const char* utf8) {
        int w = 0, h = 0;
        TTF_SizeUTF8(font, utf8, &w, &h);
        return static_cast<float>(w);
    }
    Label* make(const std::string& text) { return Label::createWithTTF(text, cjkFont(), kSize); }

    static constexpr int kSize = 32;
    TTF_Font* font = nullptr;
    float lineHeight = 0;
};

TEST_F(LabelLayoutTest, SingleLineIsOneLineHighAndAsWideAsItsAdvances) {
    Label* label = make("Hello, Solvane");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getStringNumLines(), 1);
    EXPECT_FLOAT_EQ(label->getContentSize().height, lineHeight);
    EXPECT_NEAR(label->getContentSize().width, textWidth("Hello, Solvane"), 2.0);
    EXPECT_EQ(make("")->getContentSize().width, 0);
    EXPECT_EQ(make("")->getContentSize().height, 0);
    EXPECT_EQ(label->getAnchorPoint(), Vec2(0.5f, 0.5f));
}

TEST_F(LabelLayoutTest, NewlinesAlwaysBreakAndBlankLinesCount) {
    Label* label = make("one\n\nthree");
    EXPECT_EQ(label->getStringNumLines(), 3);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 3 * lineHeight);
    label->setLineSpacing(10);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 3 * lineHeight + 2 * 10);
}

TEST_F(LabelLayoutTest, WordsWrapAtTheMaxLineWidthAndTheWidthIsTheLongestLine) {
    float firstTwo = textWidth("alpha beta");
    Label* label = make("alpha beta gamma");
    label->setMaxLineWidth(firstTwo + 5);
    EXPECT_EQ(label->getStringNumLines(), 2);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 2 * lineHeight);
    EXPECT_LE(label->getContentSize().width, firstTwo + 5);
    EXPECT_NEAR(label->getContentSize().width, firstTwo, 2.0);

    // A fixed width decides the content width, and setMaxLineWidth no longer changes the wrap.
    label->setDimensions(300, 0);
    EXPECT_EQ(label->getContentSize().width, 300);
    int lines = label->getStringNumLines();
    label->setMaxLineWidth(40);
    EXPECT_EQ(label->getStringNumLines(), lines);
    EXPECT_EQ(label->getContentSize().width, 300);
    // A fixed height is the height, whatever the text needs.
    label->setHeight(100);
    EXPECT_EQ(label->getContentSize().height, 100);
    EXPECT_EQ(label->getContentSize().width, 300);
}

// Trailing spaces widen a line that ends the text or a paragraph, never one broken by wrapping,
// and never past the wrap width.
TEST_F(LabelLayoutTest, TrailingSpacesCountExceptWhereALineWraps) {
    const float hello = make("Hello")->getContentSize().width;
    const float space = textWidth("Hello ") - textWidth("Hello");
    ASSERT_GT(space, 2.0f);
    EXPECT_NEAR(make("Hello   ")->getContentSize().width, hello + 3 * space, 2.0);
    EXPECT_NEAR(make("Hello  \nHi")->getContentSize().width, hello + 2 * space, 2.0);
    EXPECT_NEAR(make("   ")->getContentSize().width, 3 * space, 2.0);
    EXPECT_EQ(make("   ")->getStringNumLines(), 1);

    Label* wrapped = make("Hello      world");
    wrapped->setMaxLineWidth(hello + 3 * space);
    EXPECT_EQ(wrapped->getStringNumLines(), 2);
    EXPECT_NEAR(wrapped->getContentSize().width, std::max(hello, textWidth("world")), 2.0);

    Label* spacious = make("Hello                    ");
    spacious->setMaxLineWidth(hello + 4 * space);
    EXPECT_EQ(spacious->getStringNumLines(), 1);
    EXPECT_LE(spacious->getContentSize().width, hello + 4 * space);
}

TEST_F(LabelLayoutTest, WordsLongerThanALineAreSplitByCharacter) {
    Label* label = make("supercalifragilistic");
    float max = textWidth("super") + 1;
    label->setMaxLineWidth(max);
    EXPECT_GE(label->getStringNumLines(), 4);
    EXPECT_LE(label->getContentSize().width, max);
    EXPECT_EQ(label->getString(), "supercalifragilistic");
}

TEST_F(LabelLayoutTest, JapaneseWrapsBetweenAnyTwoCharacters) {
    const std::string text = "吾輩は猫である。名前はまだ無い。";
    Label* label = make(text);
    EXPECT_EQ(label->getStringNumLines(), 1);
    float oneLine = label->getContentSize().width;
    EXPECT_GT(oneLine, 14 * kSize * 0.9f);
    label->setMaxLineWidth(5 * kSize + 1); // five full-width characters per line
    EXPECT_EQ(label->getStringNumLines(), 4);
    EXPECT_LE(label->getContentSize().width, 5 * kSize + 1);
    // Latin words next to kana still break at the kana.
    Label* mixed = make("Solvaneへようこそ");
    mixed->setMaxLineWidth(textWidth("Solvane") + 2 * kSize + 1);
    EXPECT_EQ(mixed->getStringNumLines(), 2);
}

TEST_F(LabelLayoutTest, OutlineAddsTwiceItsSizeToEachLineButNotToTheWidth) {
    Label* plain = make("Outline\nTwo");
    Label* outlined = make("Outline\nTwo");
    outlined->enableOutline(Color4B::BLACK, 3);
    EXPECT_FLOAT_EQ(outlined->getContentSize().height, 2 * (lineHeight + 6));
    EXPECT_FLOAT_EQ(outlined->getContentSize().width, plain->getContentSize().width);
    outlined->enableOutline(Color4B::RED); // colour only: size unchanged
    EXPECT_EQ(outlined->getOutlineSize(), 3);
}

TEST_F(LabelLayoutTest, MissingFontGivesNullButAnUnusableFontStillGivesALabel) {
    EXPECT_EQ(Label::createWithTTF("x", "fonts/no-such-font.ttf", 20), nullptr);
    EXPECT_TRUE(logContains("no-such-font.ttf"));
    EXPECT_EQ(Label::createWithTTF(TTFConfig("fonts/no-such-font.ttf", 20), "x"), nullptr);

    std::string notAFont = tempDir() + "not-a-font.ttf";
    std::ofstream(notAFont) << "this is not a font";
    Label* label = Label::createWithTTF("still here", notAFont, 20);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getContentSize().width, 0);
    Scene* scene = Scene::create();
    scene->addChild(label);
    director()->runWithScene(scene);
    step(1.0f / 60); // draws nothing, doesn't crash
    EXPECT_TRUE(logContains("not a usable font"));
}

TEST_F(LabelLayoutTest, TextIsRasterisedOnceAndAgainOnlyWhenItChanges) {
    Scene* scene = Scene::create();
    director()->runWithScene(scene);
    Label* label = make("Score: 0");
    label->setPosition(640, 360);
    scene->addChild(label);
    step(1.0f / 60, 5);
    EXPECT_EQ(label->getRenderCount(), 1);
    label->setString("Score: 0");
    label->setPosition(600, 300);
    label->setOpacity(100); // tint only
    step(1.0f / 60, 3);
    EXPECT_EQ(label->getRenderCount(), 1);
    label->setString("Score: 1");
    label->setString("Score: 2");
    label->getContentSize();
    step(1.0f / 60, 3);
    EXPECT_EQ(label->getRenderCount(), 2);
    label->setTextColor(Color4B::RED);
    step(1.0f / 60);
    EXPECT_EQ(label->getRenderCount(), 3);
}
