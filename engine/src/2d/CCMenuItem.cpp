#include "2d/CCMenuItem.h"

#include "2d/CCActionInterval.h"
#include "2d/CCLabel.h"

NS_CC_BEGIN

// The framework's tag for the selection zoom, so game code can find or stop it.
const unsigned int MenuItemLabel::kZoomActionTag = 0xc0c05002;
const float MenuItemLabel::kZoomScale = 1.2f;
const float MenuItemLabel::kZoomDuration = 0.1f;

MenuItem* MenuItem::create() {
    return create(ccMenuCallback());
}

MenuItem* MenuItem::create(const ccMenuCallback& callback) {
    MenuItem* item = new (std::nothrow) MenuItem();
    if (item && item->initWithCallback(callback)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

bool MenuItem::initWithCallback(const ccMenuCallback& callback) {
    if (!Node::init()) {
        return false;
    }
    setAnchorPoint(Vec2(0.5f, 0.5f));
    _callback = callback;
    _enabled = true;
    _selected = false;
    return true;
}

void MenuItem::activate() {
    if (_enabled && _callback) {
        _callback(this);
    }
}

void MenuItem::selected() {
    _selected = true;
}

void MenuItem::unselected() {
    _selected = false;
}

Rect MenuItem::rect() const {
    return Rect(_position.x - _contentSize.width * _anchorPoint.x,
                _position.y - _contentSize.height * _anchorPoint.y, _contentSize.width, _contentSize.height);
}

MenuItemLabel* MenuItemLabel::create(Node* label, const ccMenuCallback& callback) {
    MenuItemLabel* item = new (std::nothrow) MenuItemLabel();
    if (item && item->initWithLabel(label, callback)) {
        item->autorelease();
        return item;
    }
    delete item;
    return nullptr;
}

MenuItemLabel* MenuItemLabel::create(Node* label) {
    return create(label, ccMenuCallback());
}

bool MenuItemLabel::initWithLabel(Node* label, const ccMenuCallback& callback) {
    if (!MenuItem::initWithCallback(callback)) {
        return false;
    }
    _originalScale = 1.0f;
    _colorBackup = Color3B::WHITE;
    setLabel(label);
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    return true;
}

void MenuItemLabel::setLabel(Node* node) {
    if (node) {
        node->setAnchorPoint(Vec2::ZERO);
        addChild(node);
        setContentSize(node->getContentSize());
    }
    if (_label) {
        removeChild(_label, true);
    }
    _label = node;
}

void MenuItemLabel::setString(const std::string& text) {
    if (auto* protocol = dynamic_cast<LabelProtocol*>(_label)) {
        protocol->setString(text);
        setContentSize(_label->getContentSize());
    }
}

void MenuItemLabel::activate() {
    if (_enabled) {
        stopAllActions();
        setScale(_originalScale);
        MenuItem::activate();
    }
}

void MenuItemLabel::selected() {
    if (!_enabled) {
        return;
    }
    MenuItem::selected();
    const int tag = static_cast<int>(kZoomActionTag);
    if (Action* running = getActionByTag(tag)) {
        stopAction(running);
    } else {
        _originalScale = getScaleX();
    }
    Action* zoom = ScaleTo::create(kZoomDuration, _originalScale * kZoomScale);
    zoom->setTag(tag);
    runAction(zoom);
}

void MenuItemLabel::unselected() {
    if (!_enabled) {
        return;
    }
    MenuItem::unselected();
    const int tag = static_cast<int>(kZoomActionTag);
    stopActionByTag(tag);
    Action* zoom = ScaleTo::create(kZoomDuration, _originalScale);
    zoom->setTag(tag);
    runAction(zoom);
}

void MenuItemLabel::setEnabled(bool enabled) {
    if (_enabled != enabled) {
        if (!enabled) {
            _colorBackup = getColor();
            setColor(_disabledColor);
        } else {
            setColor(_colorBackup);
        }
    }
    MenuItem::setEnabled(enabled);
}

NS_CC_END
