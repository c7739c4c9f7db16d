#include <map>
#include <string>

#include "EngineFixture.h"
#include "ext/Input.h"

USING_NS_CC;

namespace {

class MenuTouchTest : public SceneFixture {
protected:
    MenuItemLabel* makeItem(const std::string& text) {
        Label* label = Label::createWithTTF(text, cjkFont(), 28);
        EXPECT_NE(label, nullptr);
        return MenuItemLabel::create(label, [this, text](Ref*) { ++_activations[text]; });
    }

    // Design-space centre of an item.
    static Vec2 centreOf(Node* item) {
        const Size& size = item->getContentSize();
        return item->convertToWorldSpace(Vec2(size.width / 2, size.height / 2));
    }

    std::map<std::string, int> _activations;
};

TEST_F(MenuTouchTest, AClickActivatesExactlyTheItemUnderItOnce) {
    MenuItemLabel* start = makeItem("Start");
    MenuItemLabel* quit = makeItem("Quit");
    Menu* menu = Menu::create(start, quit, nullptr);
    menu->alignItemsVertically();
    _scene->addChild(menu);
    step(1.0f / 60);

    ext::click(centreOf(quit));
    step(1.0f / 60);
    EXPECT_EQ(_activations["Quit"], 1);
    EXPECT_EQ(_activations["Start"], 0);

    ext::click(Vec2(5, 5)); // nowhere near an item
    step(1.0f / 60);
    EXPECT_EQ(_activations["Quit"] + _activations["Start"], 1);
}

TEST_F(MenuTouchTest, ADisabledMenuOrItemIgnoresClicksAndLetsThemThrough) {
    MenuItemLabel* start = makeItem("Start");
    Menu* menu = Menu::create(start, nullptr);
    _scene->addChild(menu, 1);
    int below = 0;
    auto* listener = EventListenerTouchOneByOne::create();
    listener->onTouchBegan = [&below](Touch*, Event*) { return ++below > 0; };
    Node* under = Node::create();
    _scene->addChild(under, 0);
    director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, under);
    step(1.0f / 60);

    menu->setEnabled(false);
    ext::click(centreOf(start));
    step(1.0f / 60);
    EXPECT_EQ(_activations["Start"], 0);
    EXPECT_EQ(below, 1);

    menu->setEnabled(true);
    start->setEnabled(false);
    ext::click(centreOf(start));
    step(1.0f / 60);
    EXPECT_EQ(_activations["Start"], 0);
    EXPECT_EQ(below, 2);
    EXPECT_EQ(start->getLabel()->getDisplayedColor(), Color3B(126, 126, 126));

    start->setEnabled(true);
    EXPECT_EQ(start->getLabel()->getDisplayedColor(), Color3B::WHITE);
    ext::click(centreOf(start));
    step(1.0f / 60);
    EXPECT_EQ(_activations["Start"], 1);
    EXPECT_EQ(below, 2); // the menu swallowed it
}

TEST_F(MenuTouchTest, AnItemIsSelectedAndZoomedWhilePressed) {
    MenuItemLabel* start = makeItem("Start");
    Menu* menu = Menu::create(start, nullptr);
    _scene->addChild(menu);
    step(1.0f / 60);
    const Vec2 at = centreOf(start);

    ext::touchBegin(at);
    step(1.0f / 60);
    EXPECT_TRUE(start->isSelected());
    step(0.05f, 4); // the zoom takes 0.1 s after its first step
    EXPECT_FLOAT_EQ(start->getScaleX(), 1.2f);
    EXPECT_EQ(_activations["Start"], 0);

    ext::touchEnd(at);
    step(1.0f / 60);
    EXPECT_FALSE(start->isSelected());
    EXPECT_EQ(_activations["Start"], 1);
    EXPECT_FLOAT_EQ(start->getScaleX(), 1.0f);
}

TEST_F(MenuTouchTest, DraggingOffAnItemBeforeReleaseActivatesNothing) {
    MenuItemLabel* start = makeItem("Start");
    MenuItemLabel* quit = makeItem("Quit");
    Menu* menu = Menu::create(start, quit, nullptr);
    menu->alignItemsVerticallyWithPadding(40);
    _scene->addChild(menu);
    step(1.0f / 60);

    ext::touchBegin(centreOf(start));
    ext::touchMove(Vec2(5, 5));
    ext::touchEnd(Vec2(5, 5));
    step(1.0f / 60);
    EXPECT_FALSE(start->isSelected());
    EXPECT_EQ(_activations["Start"], 0);

    // Sliding from one item onto another moves the selection; the release activates the second.
    ext::touchBegin(centreOf(start));
    ext::touchMove(centreOf(quit));
    step(1.0f / 60);
    EXPECT_FALSE(start->isSelected());
    EXPECT_TRUE(quit->isSelected());
    ext::touchEnd(centreOf(quit));
    step(1.0f / 60);
    EXPECT_EQ(_activations["Start"], 0);
    EXPECT_EQ(_activations["Quit"], 1);
}

TEST_F(MenuTouchTest, AlignItemsVerticallyStacksFromTheTopWithPaddingFive) {
    MenuItemLabel* a = makeItem("A");
    MenuItemLabel* b = makeItem("B");
    b->setScale(2.0f);
    Menu* menu = Menu::create(a, b, nullptr);
    menu->alignItemsVertically();
    const float ha = a->getContentSize().height;
    const float hb = b->getContentSize().height * 2.0f;
    const float total = ha + hb + 5.0f;
    EXPECT_FLOAT_EQ(a->getPositionY(), total / 2 - ha / 2);
    EXPECT_FLOAT_EQ(b->getPositionY(), total / 2 - ha - 5.0f - hb / 2);
    EXPECT_FLOAT_EQ(a->getPositionX(), 0.0f);
    EXPECT_EQ(menu->getPosition(), Vec2(640, 360));
    EXPECT_EQ(a->getLocalZOrder(), 0);
    EXPECT_EQ(b->getLocalZOrder(), 1);
}

TEST_F(MenuTouchTest, ItemsWithoutCallbackAndMenusRemovedByTheirOwnCallbackAreSafe) {
    Label* label = Label::createWithTTF("BGM Volume", cjkFont(), 28);
    MenuItemLabel* silent = MenuItemLabel::create(label, ccMenuCallback());
    Label* closeLabel = Label::createWithTTF("Close", cjkFont(), 28);
    Menu* menu = nullptr;
    MenuItemLabel* close = MenuItemLabel::create(closeLabel, [&menu](Ref*) { menu->removeFromParent(); });
    menu = Menu::create(silent, close, nullptr);
    menu->alignItemsVerticallyWithPadding(30);
    _scene->addChild(menu);
    step(1.0f / 60);
    const Vec2 closeAt = centreOf(close);

    ext::click(centreOf(silent));
    step(1.0f / 60);
    ext::click(closeAt);
    step(1.0f / 60);
    EXPECT_EQ(_scene->getChildrenCount(), 0);
    ext::click(closeAt);
    step(1.0f / 60);
}

TEST_F(MenuTouchTest, AHiddenAncestorMakesTheMenuDeaf) {
    Node* holder = Node::create();
    _scene->addChild(holder);
    MenuItemLabel* start = makeItem("Start");
    Menu* menu = Menu::create(start, nullptr);
    holder->addChild(menu);
    step(1.0f / 60);
    holder->setVisible(false);
    ext::click(centreOf(start));
    step(1.0f / 60);
    EXPECT_EQ(_activations["Start"], 0);
}

} // namespace
