#pragma once

#include <functional>
#include <vector>

#include "2d/CCNode.h"

NS_CC_BEGIN

class EventListenerTouchOneByOne;
class Event;
class Renderer;
class Touch;

namespace ui {

// Base of the touchable controls. Internal renderers (sprites) are kept apart from the ordinary
// children: they are drawn under the children, don't show up in getChildren(), and always get
// this widget's displayed colour and opacity.
class Widget : public Node {
public:
    enum class TouchEventType { BEGAN, MOVED, ENDED, CANCELED };
    enum class TextureResType { LOCAL = 0, PLIST = 1 };
    enum class BrightStyle { NONE = -1, NORMAL, HIGHLIGHT };

    typedef std::function<void(Ref*, Widget::TouchEventType)> ccWidgetTouchCallback;
    typedef std::function<void(Ref*)> ccWidgetClickCallback;

    static Widget* create();

    virtual void setEnabled(bool enabled);
    bool isEnabled() const { return _enabled; }
    void setBright(bool bright);
    bool isBright() const { return _bright; }

    // On: a swallowing one-by-one listener with this widget's scene-graph priority.
    virtual void setTouchEnabled(bool enabled);
    bool isTouchEnabled() const { return _touchEnabled; }
    bool isHighlighted() const { return _highlight; }
    void setHighlighted(bool highlight);

    void addTouchEventListener(const ccWidgetTouchCallback& callback) { _touchEventCallback = callback; }
    void addClickEventListener(const ccWidgetClickCallback& callback) { _clickEventListener = callback; }
    void setSwallowTouches(bool swallow);
    bool isSwallowTouches() const { return _swallowTouches; }

    // worldPoint in design space; true when it lies in this widget's content rect.
    virtual bool hitTest(const Vec2& worldPoint) const;

    const Vec2& getTouchBeganPosition() const { return _touchBeganPosition; }
    const Vec2& getTouchMovePosition() const { return _touchMovePosition; }
    const Vec2& getTouchEndPosition() const { return _touchEndPosition; }

    virtual bool onTouchBegan(Touch* touch, Event* event);
    virtual void onTouchMoved(Touch* touch, Event* event);
    virtual void onTouchEnded(Touch* touch, Event* event);
    virtual void onTouchCancelled(Touch* touch, Event* event);

    void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override;
    void updateDisplayedOpacity(GLubyte parentOpacity) override;
    void updateDisplayedColor(const Color3B& parentColor) override;

    CC_CONSTRUCTOR_ACCESS : Widget();
    ~Widget() override;
    bool init() override;

protected:
    // Renderers drawn below the children, in the order added; the widget retains them.
    void addProtectedChild(Node* renderer);
    void removeProtectedChild(Node* renderer);
    const std::vector<Node*>& getProtectedChildren() const { return _protectedChildren; }
    void pushDisplayedLookToRenderers();

    // The widget and every widget ancestor are visible and enabled.
    bool isAncestorsShownAndEnabled() const;

    // Look changes; subclasses swap textures or scale renderers.
    virtual void onPressStateChangedToNormal() {}
    virtual void onPressStateChangedToPressed() {}
    virtual void onPressStateChangedToDisabled() {}
    void applyBrightStyle();

    void pushDownEvent();
    void moveEvent();
    void releaseUpEvent();
    void cancelUpEvent();

    bool _enabled = true;
    bool _bright = true;
    bool _touchEnabled = false;
    bool _highlight = false;
    bool _swallowTouches = true;
    BrightStyle _brightStyle = BrightStyle::NONE;
    Vec2 _touchBeganPosition;
    Vec2 _touchMovePosition;
    Vec2 _touchEndPosition;
    EventListenerTouchOneByOne* _touchListener = nullptr;
    ccWidgetTouchCallback _touchEventCallback;
    ccWidgetClickCallback _clickEventListener;
    std::vector<Node*> _protectedChildren;
};

} // namespace ui

NS_CC_END
