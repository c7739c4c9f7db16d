#include <string>
#include <vector>

#include "EngineFixture.h"
#include "ext/Input.h"
#include "ui/CocosGUI.h"

USING_NS_CC;
using ui::Button;
using ui::Slider;
using ui::Widget;

namespace {

const char* nameOf(Widget::TouchEventType type) {
    switch (type) {
    case Widget::TouchEventType::BEGAN:
        return "BEGAN";
    case Widget::TouchEventType::MOVED:
        return "MOVED";
    case Widget::TouchEventType::ENDED:
        return "ENDED";
    default:
        return "CANCELED";
    }
}

class WidgetTouchTest : public SceneFixture {
protected:
    Button* makeButton(bool withPressedImage) {
        const std::string normal = makePng("normal.png", 100, 40, {255, 0, 0, 255});
        const std::string pressed = withPressedImage ? makePng("pressed.png", 100, 40, {0, 255, 0, 255}) : "";
        Button* button = Button::create();
        button->loadTextures(normal, pressed, "", Widget::TextureResType::LOCAL);
        button->setPosition(Vec2(300, 300));
        button->addTouchEventListener(
            [this](Ref*, Widget::TouchEventType type) { _events.push_back(nameOf(type)); });
        button->addClickEventListener([this](Ref*) { _events.push_back("click"); });
        _scene->addChild(button);
        step(1.0f / 60);
        return button;
    }

    // Bar 200x20 centred at (640, 360): its left end is at x = 540.
    Slider* makeSlider() {
        Slider* slider = Slider::create();
        slider->loadBarTexture(makePng("bar.png", 200, 20, {80, 80, 80, 255}));
        slider->loadSlidBallTextures(makePng("ball.png", 20, 20, {255, 255, 255, 255}),
                                     makePng("ballPressed.png", 20, 20, {255, 255, 0, 255}), "");
        slider->loadProgressBarTexture(makePng("progress.png", 200, 20, {0, 0, 255, 255}));
        slider->setPosition(Vec2(640, 360));
        slider->addTouchEventListener(
            [this](Ref*, Widget::TouchEventType type) { _events.push_back(nameOf(type)); });
        slider->addEventListener([this](Ref*, Slider::EventType type) { _sliderEvents.push_back(type); });
        _scene->addChild(slider);
        step(1.0f / 60);
        return slider;
    }

    std::vector<std::string> _events;
    std::vector<Slider::EventType> _sliderEvents;
};

TEST_F(WidgetTouchTest, AButtonClickShowsThePressedImageThenReportsEndedAndClick) {
    Button* button = makeButton(true);
    EXPECT_EQ(button->getContentSize(), Size(100, 40));

    ext::touchBegin(Vec2(300, 300));
    step(1.0f / 60);
    EXPECT_TRUE(button->isHighlighted());
    EXPECT_EQ(rgbOf(pixelAtDesign(300, 300)), 0x00FF00u);
    EXPECT_EQ(_events, (std::vector<std::string>{"BEGAN"}));

    ext::touchEnd(Vec2(300, 300));
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(300, 300)), 0xFF0000u);
    EXPECT_EQ(_events, (std::vector<std::string>{"BEGAN", "ENDED", "click"}));
}

TEST_F(WidgetTouchTest, AReleaseOffTheButtonCancelsButComingBackStillClicks) {
    makeButton(true);
    ext::touchBegin(Vec2(300, 300));
    ext::touchMove(Vec2(500, 500));
    ext::touchEnd(Vec2(500, 500));
    step(1.0f / 60);
    EXPECT_EQ(_events, (std::vector<std::string>{"BEGAN", "MOVED", "CANCELED"}));

    _events.clear();
    ext::touchBegin(Vec2(300, 300));
    ext::touchMove(Vec2(500, 500));
    ext::touchMove(Vec2(320, 310));
    ext::touchEnd(Vec2(320, 310));
    step(1.0f / 60);
    EXPECT_EQ(_events, (std::vector<std::string>{"BEGAN", "MOVED", "MOVED", "ENDED", "click"}));
}

TEST_F(WidgetTouchTest, WithoutAPressedImageTheButtonGrowsWhilePressed) {
    Button* button = makeButton(false);
    ext::touchBegin(Vec2(300, 300));
    step(1.0f / 60);
    EXPECT_FLOAT_EQ(button->getRendererNormal()->getScaleX(), 1.1f);
    ext::touchEnd(Vec2(300, 300));
    step(1.0f / 60);
    EXPECT_FLOAT_EQ(button->getRendererNormal()->getScaleX(), 1.0f);
}

TEST_F(WidgetTouchTest, DisabledHiddenOrImagelessButtonsIgnoreTouches) {
    Button* button = makeButton(true);
    button->setEnabled(false);
    ext::click(Vec2(300, 300));
    step(1.0f / 60);
    EXPECT_TRUE(_events.empty());
    // No disabled image: the normal one is shown greyed.
    const unsigned int grey = pixelAtDesign(300, 300);
    EXPECT_GT(redOf(grey), 0);
    EXPECT_LT(redOf(grey), 200);

    button->setEnabled(true);
    button->setVisible(false);
    ext::click(Vec2(300, 300));
    step(1.0f / 60);
    EXPECT_TRUE(_events.empty());

    Button* bare = Button::create();
    bare->setPosition(Vec2(0, 0));
    bare->addClickEventListener([this](Ref*) { _events.push_back("bare click"); });
    _scene->addChild(bare);
    ext::click(Vec2(0, 0));
    step(1.0f / 60);
    EXPECT_TRUE(_events.empty());
}

TEST_F(WidgetTouchTest, MissingButtonImagesAreLoggedAndLeaveTheStateEmpty) {
    Button* button = Button::create("nowhere/normal.png", "nowhere/pressed.png");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getContentSize(), Size::ZERO);
    EXPECT_TRUE(logContains("nowhere/normal.png"));
}

TEST_F(WidgetTouchTest, SetPercentClampsAndReportsOnlyChanges) {
    Slider* slider = makeSlider();
    slider->setPercent(150);
    EXPECT_EQ(slider->getPercent(), 100);
    slider->setPercent(100);
    slider->setPercent(-4);
    EXPECT_EQ(slider->getPercent(), 0);
    EXPECT_EQ(_sliderEvents, (std::vector<Slider::EventType>{Slider::EventType::ON_PERCENTAGE_CHANGED,
                                                             Slider::EventType::ON_PERCENTAGE_CHANGED}));
    slider->setPercent(40);
    EXPECT_FLOAT_EQ(slider->getSlidBallRenderer()->getPositionX(), 80.0f);
    EXPECT_FLOAT_EQ(slider->getProgressBarRenderer()->getTextureRect().size.width, 80.0f);
}

TEST_F(WidgetTouchTest, DraggingTheSliderMovesThePercentAndAReleaseOnItEnds) {
    Slider* slider = makeSlider();
    ext::touchBegin(Vec2(540 + 50, 360)); // 25 %
    step(1.0f / 60);
    EXPECT_EQ(slider->getPercent(), 25);
    ext::touchMove(Vec2(540 + 151.9f, 365)); // 75.95 % truncates to 75
    ext::touchEnd(Vec2(540 + 151.9f, 365));
    step(1.0f / 60);
    EXPECT_EQ(slider->getPercent(), 75);
    EXPECT_EQ(_events, (std::vector<std::string>{"BEGAN", "ENDED"}));
    EXPECT_EQ(_sliderEvents.front(), Slider::EventType::ON_PERCENTAGE_CHANGED);
    EXPECT_EQ(_sliderEvents.back(), Slider::EventType::ON_SLIDEBALL_UP);
    // The progress bar fills the left 75 % (the ball covers 140..160).
    EXPECT_EQ(rgbOf(pixelAtDesign(540 + 135, 355)), 0x0000FFu);
    EXPECT_EQ(rgbOf(pixelAtDesign(540 + 150, 360)), 0xFFFFFFu);
    EXPECT_EQ(rgbOf(pixelAtDesign(540 + 190, 355)), 0x505050u);
}

TEST_F(WidgetTouchTest, AReleaseOffTheSliderIsCanceledButTheBallStaysWhereItWasDragged) {
    Slider* slider = makeSlider();
    slider->setPercent(10);
    _sliderEvents.clear();
    ext::touchBegin(Vec2(540 + 100, 360));
    ext::touchMove(Vec2(540 + 160, 600));
    ext::touchEnd(Vec2(540 + 160, 600));
    step(1.0f / 60);
    EXPECT_EQ(slider->getPercent(), 80);
    EXPECT_EQ(_events, (std::vector<std::string>{"BEGAN", "CANCELED"}));
    EXPECT_EQ(_sliderEvents.back(), Slider::EventType::ON_SLIDEBALL_CANCEL);

    // Past the right end the value stops at 100 and the finger is off the slider.
    _events.clear();
    ext::touchBegin(Vec2(540 + 100, 360));
    ext::touchMove(Vec2(1000, 360));
    ext::touchEnd(Vec2(1000, 360));
    step(1.0f / 60);
    EXPECT_EQ(slider->getPercent(), 100);
    EXPECT_EQ(_events, (std::vector<std::string>{"BEGAN", "CANCELED"}));
}

// The volume row of a settings menu: a slider child of a menu item takes the touch before the menu.
TEST_F(WidgetTouchTest, ASliderInsideAMenuItemGetsTheTouchFirst) {
    int activations = 0;
    Label* label = Label::createWithTTF("BGM Volume", cjkFont(), 28);
    MenuItemLabel* item = MenuItemLabel::create(label, [&activations](Ref*) { ++activations; });
    item->setContentSize(Size(600, 40)); // an item wide enough to lie under the slider
    Slider* slider = Slider::create();
    slider->loadBarTexture(makePng("bar.png", 200, 20, {80, 80, 80, 255}));
    slider->setAnchorPoint(Vec2::ZERO);
    slider->setPosition(Vec2(300, 10));
    item->addChild(slider, 1);
    Menu* menu = Menu::create(item, nullptr);
    _scene->addChild(menu);
    step(1.0f / 60);

    const Vec2 onSlider = slider->convertToWorldSpace(Vec2(100, 10));
    ext::click(onSlider);
    step(1.0f / 60);
    EXPECT_EQ(slider->getPercent(), 50);
    EXPECT_EQ(activations, 0);

    ext::click(item->convertToWorldSpace(Vec2(20, 20)));
    step(1.0f / 60);
    EXPECT_EQ(activations, 1);
}

} // namespace
