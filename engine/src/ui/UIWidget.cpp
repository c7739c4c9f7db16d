#include "ui/UIWidget.h"

#include <algorithm>

#include "base/CCEventDispatcher.h"
#include "base/CCEventListenerTouch.h"
#include "base/CCTouch.h"

NS_CC_BEGIN
namespace ui {

Widget* Widget::create() {
    Widget* widget = new (std::nothrow) Widget();
    if (widget && widget->init()) {
        widget->autorelease();
        return widget;
    }
    delete widget;
    return nullptr;
}

Widget::Widget() = default;

Widget::~Widget() {
    setTouchEnabled(false);
    for (Node* renderer : _protectedChildren) {
        renderer->release();
    }
}

bool Widget::init() {
    if (!Node::init()) {
        return false;
    }
    setAnchorPoint(Vec2(0.5f, 0.5f));
    setBright(true);
    return true;
}

void Widget::addProtectedChild(Node* renderer) {
    if (!renderer) {
        return;
    }
    renderer->retain();
    _protectedChildren.push_back(renderer);
    renderer->updateDisplayedColor(_displayedColor);
    renderer->updateDisplayedOpacity(_displayedOpacity);
}

void Widget::removeProtectedChild(Node* renderer) {
    auto it = std::find(_protectedChildren.begin(), _protectedChildren.end(), renderer);
    if (it != _protectedChildren.end()) {
        _protectedChildren.erase(it);
        renderer->release();
    }
}

void Widget::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) {
    if (!_visible) {
        return;
    }
    const Mat4 transform = parentTransform * getNodeToParentTransform();
    for (Node* child : _protectedChildren) {
        child->visit(renderer, transform, parentFlags);
    }
    Node::visit(renderer, parentTransform, parentFlags);
}

void Widget::updateDisplayedOpacity(GLubyte parentOpacity) {
    Node::updateDisplayedOpacity(parentOpacity);
    pushDisplayedLookToRenderers();
}

void Widget::updateDisplayedColor(const Color3B& parentColor) {
    Node::updateDisplayedColor(parentColor);
    pushDisplayedLookToRenderers();
}

void Widget::pushDisplayedLookToRenderers() {
    for (Node* renderer : _protectedChildren) {
        renderer->updateDisplayedColor(_displayedColor);
        renderer->updateDisplayedOpacity(_displayedOpacity);
    }
}

void Widget::setEnabled(bool enabled) {
    _enabled = enabled;
    setBright(enabled);
}

void Widget::setBright(bool bright) {
    _bright = bright;
    if (_bright) {
        _brightStyle = BrightStyle::NONE;
        applyBrightStyle();
    } else {
        onPressStateChangedToDisabled();
    }
}

void Widget::applyBrightStyle() {
    const BrightStyle wanted = _highlight ? BrightStyle::HIGHLIGHT : BrightStyle::NORMAL;
    if (wanted == _brightStyle) {
        return;
    }
    _brightStyle = wanted;
    if (wanted == BrightStyle::HIGHLIGHT) {
        onPressStateChangedToPressed();
    } else {
        onPressStateChangedToNormal();
    }
}

void Widget::setHighlighted(bool highlight) {
    if (highlight == _highlight) {
        return;
    }
    _highlight = highlight;
    if (_bright) {
        applyBrightStyle();
    } else {
        onPressStateChangedToDisabled();
    }
}

void Widget::setTouchEnabled(bool enabled) {
    if (enabled == _touchEnabled) {
        return;
    }
    _touchEnabled = enabled;
    if (enabled) {
        _touchListener = EventListenerTouchOneByOne::create();
        _touchListener->retain();
        _touchListener->setSwallowTouches(_swallowTouches);
        _touchListener->onTouchBegan = CC_CALLBACK_2(Widget::onTouchBegan, this);
        _touchListener->onTouchMoved = CC_CALLBACK_2(Widget::onTouchMoved, this);
        _touchListener->onTouchEnded = CC_CALLBACK_2(Widget::onTouchEnded, this);
        _touchListener->onTouchCancelled = CC_CALLBACK_2(Widget::onTouchCancelled, this);
        _eventDispatcher->addEventListenerWithSceneGraphPriority(_touchListener, this);
    } else {
        if (_eventDispatcher) {
            _eventDispatcher->removeEventListener(_touchListener);
        }
        CC_SAFE_RELEASE_NULL(_touchListener);
    }
}

void Widget::setSwallowTouches(bool swallow) {
    _swallowTouches = swallow;
    if (_touchListener) {
        _touchListener->setSwallowTouches(swallow);
    }
}

bool Widget::hitTest(const Vec2& worldPoint) const {
    // A widget without an image has no area; an inclusive 0x0 rect would still catch its corner.
    if (_contentSize.width <= 0.0f || _contentSize.height <= 0.0f) {
        return false;
    }
    const Vec2 local = convertToNodeSpace(worldPoint);
    return Rect(0, 0, _contentSize.width, _contentSize.height).containsPoint(local);
}

bool Widget::isAncestorsShownAndEnabled() const {
    if (!_visible || !_enabled) {
        return false;
    }
    for (const Node* ancestor = _parent; ancestor; ancestor = ancestor->getParent()) {
        if (!ancestor->isVisible()) {
            return false;
        }
        auto* widget = dynamic_cast<const Widget*>(ancestor);
        if (widget && !widget->isEnabled()) {
            return false;
        }
    }
    return true;
}

bool Widget::onTouchBegan(Touch* touch, Event*) {
    _touchBeganPosition = touch->getLocation();
    if (!isAncestorsShownAndEnabled() || !hitTest(_touchBeganPosition)) {
        return false;
    }
    setHighlighted(true);
    pushDownEvent();
    return true;
}

void Widget::onTouchMoved(Touch* touch, Event*) {
    _touchMovePosition = touch->getLocation();
    setHighlighted(hitTest(_touchMovePosition));
    moveEvent();
}

void Widget::onTouchEnded(Touch* touch, Event*) {
    _touchEndPosition = touch->getLocation();
    const bool wasHighlighted = _highlight;
    setHighlighted(false);
    if (wasHighlighted) {
        releaseUpEvent();
    } else {
        cancelUpEvent();
    }
}

void Widget::onTouchCancelled(Touch* touch, Event*) {
    _touchEndPosition = touch->getLocation();
    setHighlighted(false);
    cancelUpEvent();
}

// Each callback may remove this widget from the scene; it stays alive until the callback returns.
void Widget::pushDownEvent() {
    retain();
    if (_touchEventCallback) {
        _touchEventCallback(this, TouchEventType::BEGAN);
    }
    release();
}

void Widget::moveEvent() {
    retain();
    if (_touchEventCallback) {
        _touchEventCallback(this, TouchEventType::MOVED);
    }
    release();
}

void Widget::releaseUpEvent() {
    retain();
    if (_touchEventCallback) {
        _touchEventCallback(this, TouchEventType::ENDED);
    }
    if (_clickEventListener) {
        _clickEventListener(this);
    }
    release();
}

void Widget::cancelUpEvent() {
    retain();
    if (_touchEventCallback) {
        _touchEventCallback(this, TouchEventType::CANCELED);
    }
    release();
}

} // namespace ui
NS_CC_END
