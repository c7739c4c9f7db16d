#include "2d/CCMenu.h"

#include <algorithm>

#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "base/CCEventListenerTouch.h"
#include "base/CCTouch.h"

NS_CC_BEGIN

const float Menu::kDefaultPadding = 5.0f;

Menu* Menu::create() {
    return createWithArray(Vector<MenuItem*>());
}

Menu* Menu::createWithItem(MenuItem* item) {
    return create(item, nullptr);
}

Menu* Menu::createWithArray(const Vector<MenuItem*>& arrayOfItems) {
    Menu* menu = new (std::nothrow) Menu();
    if (menu && menu->initWithArray(arrayOfItems)) {
        menu->autorelease();
        return menu;
    }
    delete menu;
    return nullptr;
}

bool Menu::init() {
    return initWithArray(Vector<MenuItem*>());
}

bool Menu::initWithArray(const Vector<MenuItem*>& arrayOfItems) {
    if (!Layer::init()) {
        return false;
    }
    _enabled = true;
    const Size& winSize = Director::getInstance()->getWinSize();
    setIgnoreAnchorPointForPosition(true);
    setAnchorPoint(Vec2(0.5f, 0.5f));
    setContentSize(winSize);
    setPosition(winSize.width / 2, winSize.height / 2);

    int z = 0;
    for (MenuItem* item : arrayOfItems) {
        addChild(item, z++);
    }
    _selectedItem = nullptr;
    _state = State::WAITING;
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);

    auto* listener = EventListenerTouchOneByOne::create();
    listener->setSwallowTouches(true);
    listener->onTouchBegan = CC_CALLBACK_2(Menu::onTouchBegan, this);
    listener->onTouchMoved = CC_CALLBACK_2(Menu::onTouchMoved, this);
    listener->onTouchEnded = CC_CALLBACK_2(Menu::onTouchEnded, this);
    listener->onTouchCancelled = CC_CALLBACK_2(Menu::onTouchCancelled, this);
    _eventDispatcher->addEventListenerWithSceneGraphPriority(listener, this);
    return true;
}

void Menu::onExit() {
    // A press still held when the menu leaves the screen would otherwise block it forever.
    if (_state == State::TRACKING_TOUCH) {
        if (_selectedItem) {
            _selectedItem->unselected();
            CC_SAFE_RELEASE_NULL(_selectedItem);
        }
        _state = State::WAITING;
    }
    Layer::onExit();
}

bool Menu::isShownAndEnabled() {
    if (_state != State::WAITING || !_visible || !_enabled) {
        return false;
    }
    for (Node* ancestor = _parent; ancestor; ancestor = ancestor->getParent()) {
        if (!ancestor->isVisible()) {
            return false;
        }
    }
    return true;
}

bool Menu::onTouchBegan(Touch* touch, Event*) {
    if (!isShownAndEnabled()) {
        return false;
    }
    MenuItem* item = getItemForTouch(touch);
    if (!item) {
        return false;
    }
    _selectedItem = item;
    _selectedItem->retain();
    _state = State::TRACKING_TOUCH;
    _selectedItem->selected();
    return true;
}

void Menu::onTouchEnded(Touch*, Event*) {
    // The callback may remove this menu (and the item) from the scene.
    retain();
    MenuItem* item = _selectedItem;
    _selectedItem = nullptr;
    _state = State::WAITING;
    if (item) {
        item->unselected();
        item->activate();
        item->release();
    }
    release();
}

void Menu::onTouchCancelled(Touch*, Event*) {
    retain();
    MenuItem* item = _selectedItem;
    _selectedItem = nullptr;
    _state = State::WAITING;
    if (item) {
        item->unselected();
        item->release();
    }
    release();
}

void Menu::onTouchMoved(Touch* touch, Event*) {
    MenuItem* current = getItemForTouch(touch);
    if (current == _selectedItem) {
        return;
    }
    if (_selectedItem) {
        _selectedItem->unselected();
        _selectedItem->release();
    }
    _selectedItem = current;
    if (_selectedItem) {
        _selectedItem->retain();
        _selectedItem->selected();
    }
}

MenuItem* Menu::getItemForTouch(Touch* touch) {
    const Vec2 location = touch->getLocation();
    for (Node* child : _children) {
        auto* item = dynamic_cast<MenuItem*>(child);
        if (!item || !item->isVisible() || !item->isEnabled()) {
            continue;
        }
        const Vec2 local = item->convertToNodeSpace(location);
        const Size& size = item->getContentSize();
        if (Rect(0, 0, size.width, size.height).containsPoint(local)) {
            return item;
        }
    }
    return nullptr;
}

void Menu::alignItemsVertically() {
    alignItemsVerticallyWithPadding(kDefaultPadding);
}

void Menu::alignItemsVerticallyWithPadding(float padding) {
    float height = -padding;
    for (Node* child : _children) {
        height += child->getContentSize().height * child->getScaleY() + padding;
    }
    float y = height / 2.0f;
    for (Node* child : _children) {
        const float h = child->getContentSize().height * child->getScaleY();
        child->setPosition(0, y - h / 2.0f);
        y -= h + padding;
    }
}

void Menu::alignItemsHorizontally() {
    alignItemsHorizontallyWithPadding(kDefaultPadding);
}

void Menu::alignItemsHorizontallyWithPadding(float padding) {
    float width = -padding;
    for (Node* child : _children) {
        width += child->getContentSize().width * child->getScaleX() + padding;
    }
    float x = -width / 2.0f;
    for (Node* child : _children) {
        const float w = child->getContentSize().width * child->getScaleX();
        child->setPosition(x + w / 2.0f, 0);
        x += w + padding;
    }
}

NS_CC_END
