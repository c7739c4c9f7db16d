#pragma once

#include "base/CCEvent.h"
#include "math/Vec2.h"

NS_CC_BEGIN

// The desktop mouse as the framework reports it, besides the touch (id 0) a left press makes.
// Positions are design points: getLocation() and getCursorX/Y with y up, getLocationInView()
// with y down from the top of the design area.
class EventMouse : public Event {
public:
    enum class MouseEventType { MOUSE_NONE, MOUSE_DOWN, MOUSE_UP, MOUSE_MOVE, MOUSE_SCROLL };
    enum class MouseButton { BUTTON_UNSET = -1, BUTTON_LEFT = 0, BUTTON_RIGHT = 1, BUTTON_MIDDLE = 2 };

    explicit EventMouse(MouseEventType mouseEventCode);

    void setScrollData(float scrollX, float scrollY) {
        _scrollX = scrollX;
        _scrollY = scrollY;
    }
    float getScrollX() const { return _scrollX; }
    float getScrollY() const { return _scrollY; }

    void setCursorPosition(float x, float y);
    void setMouseButton(MouseButton button) { _mouseButton = button; }
    MouseButton getMouseButton() const { return _mouseButton; }
    float getCursorX() const { return _point.x; }
    float getCursorY() const { return _point.y; }

    Vec2 getLocation() const { return _point; }
    Vec2 getPreviousLocation() const { return _prevPoint; }
    Vec2 getLocationInView() const;
    MouseEventType getMouseEventType() const { return _mouseEventType; }

private:
    MouseEventType _mouseEventType;
    MouseButton _mouseButton = MouseButton::BUTTON_UNSET;
    float _scrollX = 0.0f;
    float _scrollY = 0.0f;
    Vec2 _point;
    Vec2 _prevPoint;
};

NS_CC_END
