#pragma once

#include "base/CCRef.h"
#include "math/Vec2.h"

NS_CC_BEGIN

// One finger (on the desktop: the left mouse button, id 0). Locations are design-space points,
// y up; the view converts window pixels before calling setTouchInfo. The ...InView variants give
// the same points y down from the top of the design area, as the framework's view space is.
class Touch : public Ref {
public:
    enum class DispatchMode { ALL_AT_ONCE, ONE_BY_ONE };

    Touch() = default;

    Vec2 getLocation() const { return _point; }
    Vec2 getPreviousLocation() const { return _prevPoint; }
    Vec2 getStartLocation() const { return _startPoint; }
    Vec2 getDelta() const { return _point - _prevPoint; }
    Vec2 getLocationInView() const { return toView(_point); }
    Vec2 getPreviousLocationInView() const { return toView(_prevPoint); }
    Vec2 getStartLocationInView() const { return toView(_startPoint); }

    // The first call also fixes the start location; later calls shift the current point to previous.
    void setTouchInfo(int id, float x, float y);
    int getID() const { return _id; }

private:
    static Vec2 toView(const Vec2& point);

    int _id = 0;
    bool _startPointCaptured = false;
    Vec2 _startPoint;
    Vec2 _point;
    Vec2 _prevPoint;
};

NS_CC_END
