#pragma once

#include <functional>
#include <string>

#include "2d/CCNode.h"

NS_CC_BEGIN

class Label;

typedef std::function<void(Ref*)> ccMenuCallback;

// A clickable entry of a Menu. The menu decides which item is under the finger (the item's content
// rect in its own space) and calls selected()/unselected()/activate().
class MenuItem : public Node {
public:
    static MenuItem* create();
    static MenuItem* create(const ccMenuCallback& callback);

    // Calls the callback with this item, only when enabled and a callback is set.
    virtual void activate();
    virtual void selected();
    virtual void unselected();
    virtual bool isEnabled() const { return _enabled; }
    virtual void setEnabled(bool value) { _enabled = value; }
    virtual bool isSelected() const { return _selected; }

    void setCallback(const ccMenuCallback& callback) { _callback = callback; }

    // This item's content rect, in its parent's space.
    Rect rect() const;

    CC_CONSTRUCTOR_ACCESS : MenuItem() = default;
    bool initWithCallback(const ccMenuCallback& callback);

protected:
    bool _selected = false;
    bool _enabled = false;
    ccMenuCallback _callback;
};

// A menu item showing any node (normally a Label). The label becomes a child anchored at (0,0) and
// the item takes the label's content size at creation; only setString refreshes it.
class MenuItemLabel : public MenuItem {
public:
    static MenuItemLabel* create(Node* label, const ccMenuCallback& callback);
    static MenuItemLabel* create(Node* label);

    void setString(const std::string& label);
    Node* getLabel() const { return _label; }
    void setLabel(Node* node);

    const Color3B& getDisabledColor() const { return _disabledColor; }
    void setDisabledColor(const Color3B& color) { _disabledColor = color; }

    void activate() override;
    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

    CC_CONSTRUCTOR_ACCESS : MenuItemLabel() = default;
    ~MenuItemLabel() override = default;
    bool initWithLabel(Node* label, const ccMenuCallback& callback);

protected:
    static const unsigned int kZoomActionTag;
    static const float kZoomScale;
    static const float kZoomDuration;

    Color3B _colorBackup = Color3B::WHITE;
    Color3B _disabledColor = Color3B(126, 126, 126);
    float _originalScale = 1.0f;
    Node* _label = nullptr;
};

NS_CC_END
