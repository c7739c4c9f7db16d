#pragma once

#include "math/CCMath.h"

NS_CC_BEGIN

class Size {
public:
    float width = 0.0f;
    float height = 0.0f;

    constexpr Size() = default;
    constexpr Size(float w, float h) : width(w), height(h) {}
    explicit Size(const Vec2& point) : width(point.x), height(point.y) {}
    operator Vec2() const { return Vec2(width, height); }

    void setSize(float w, float h) {
        width = w;
        height = h;
    }
    bool equals(const Size& target) const;

    Size operator+(const Size& right) const { return Size(width + right.width, height + right.height); }
    Size operator-(const Size& right) const { return Size(width - right.width, height - right.height); }
    Size operator*(float a) const { return Size(width * a, height * a); }
    Size operator/(float a) const { return Size(width / a, height / a); }
    bool operator==(const Size& s) const { return width == s.width && height == s.height; }
    bool operator!=(const Size& s) const { return !(*this == s); }

    static const Size ZERO;
};

class Rect {
public:
    Vec2 origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}
    Rect(const Vec2& pos, const Size& dimension) : origin(pos), size(dimension) {}

    void setRect(float x, float y, float w, float h) {
        origin.set(x, y);
        size.setSize(w, h);
    }
    float getMinX() const { return origin.x; }
    float getMidX() const { return origin.x + size.width / 2.0f; }
    float getMaxX() const { return origin.x + size.width; }
    float getMinY() const { return origin.y; }
    float getMidY() const { return origin.y + size.height / 2.0f; }
    float getMaxY() const { return origin.y + size.height; }

    bool equals(const Rect& rect) const;
    // Edges count as inside.
    bool containsPoint(const Vec2& point) const;
    // Rects that only touch count as intersecting.
    bool intersectsRect(const Rect& rect) const;
    bool intersectsCircle(const Vec2& center, float radius) const;
    Rect unionWithRect(const Rect& rect) const;
    void merge(const Rect& rect);

    bool operator==(const Rect& r) const { return origin == r.origin && size == r.size; }
    bool operator!=(const Rect& r) const { return !(*this == r); }

    static const Rect ZERO;
};

NS_CC_END
