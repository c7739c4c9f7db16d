#include "math/CCGeometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

NS_CC_BEGIN

const Size Size::ZERO(0.0f, 0.0f);
const Rect Rect::ZERO(0.0f, 0.0f, 0.0f, 0.0f);

bool Size::equals(const Size& target) const {
    return std::fabs(width - target.width) < FLT_EPSILON && std::fabs(height - target.height) < FLT_EPSILON;
}

bool Rect::equals(const Rect& rect) const {
    return origin.equals(rect.origin) && size.equals(rect.size);
}

bool Rect::containsPoint(const Vec2& point) const {
    return point.x >= getMinX() && point.x <= getMaxX() && point.y >= getMinY() && point.y <= getMaxY();
}

bool Rect::intersectsRect(const Rect& rect) const {
    return !(getMaxX() < rect.getMinX() || rect.getMaxX() < getMinX() || getMaxY() < rect.getMinY() ||
             rect.getMaxY() < getMinY());
}

bool Rect::intersectsCircle(const Vec2& center, float radius) const {
    float cx = std::min(std::max(center.x, getMinX()), getMaxX());
    float cy = std::min(std::max(center.y, getMinY()), getMaxY());
    float dx = center.x - cx;
    float dy = center.y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

Rect Rect::unionWithRect(const Rect& rect) const {
    float minX = std::min(getMinX(), rect.getMinX());
    float minY = std::min(getMinY(), rect.getMinY());
    float maxX = std::max(getMaxX(), rect.getMaxX());
    float maxY = std::max(getMaxY(), rect.getMaxY());
    return Rect(minX, minY, maxX - minX, maxY - minY);
}

void Rect::merge(const Rect& rect) {
    *this = unionWithRect(rect);
}

NS_CC_END
