#pragma once

#include <cmath>

#include "math/CCMathBase.h"

NS_CC_BEGIN

class Vec2 {
public:
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vec2() = default;
    constexpr Vec2(float xx, float yy) : x(xx), y(yy) {}
    // Vector from p1 to p2.
    Vec2(const Vec2& p1, const Vec2& p2) : x(p2.x - p1.x), y(p2.y - p1.y) {}

    bool isZero() const { return x == 0.0f && y == 0.0f; }
    bool isOne() const { return x == 1.0f && y == 1.0f; }

    void set(float xx, float yy) {
        x = xx;
        y = yy;
    }
    void setZero() { x = y = 0.0f; }
    void add(const Vec2& v) { *this += v; }
    void subtract(const Vec2& v) { *this -= v; }
    void scale(float s) { *this *= s; }
    void negate() { *this = -*this; }

    float length() const { return std::sqrt(x * x + y * y); }
    float lengthSquared() const { return x * x + y * y; }
    float getLength() const { return length(); }
    float getLengthSq() const { return lengthSquared(); }
    float distance(const Vec2& v) const { return (v - *this).length(); }
    float distanceSquared(const Vec2& v) const { return (v - *this).lengthSquared(); }
    float getDistance(const Vec2& v) const { return distance(v); }
    float getDistanceSq(const Vec2& v) const { return distanceSquared(v); }
    float dot(const Vec2& v) const { return x * v.x + y * v.y; }
    float cross(const Vec2& v) const { return x * v.y - y * v.x; }

    // Angle in radians of this vector from the x axis, counter-clockwise.
    float getAngle() const { return std::atan2(y, x); }
    // Signed angle in radians from this vector to other.
    float getAngle(const Vec2& other) const;

    // Leaves a zero vector unchanged.
    void normalize();
    Vec2 getNormalized() const;
    Vec2 getPerp() const { return Vec2(-y, x); }
    Vec2 getRPerp() const { return Vec2(y, -x); }
    Vec2 getMidpoint(const Vec2& other) const { return Vec2((x + other.x) / 2.0f, (y + other.y) / 2.0f); }
    Vec2 lerp(const Vec2& other, float alpha) const { return *this * (1.0f - alpha) + other * alpha; }
    Vec2 project(const Vec2& other) const { return other * (dot(other) / other.dot(other)); }
    // Counter-clockwise rotation by angle (radians) around point.
    void rotate(const Vec2& point, float angle);
    Vec2 rotateByAngle(const Vec2& pivot, float angle) const;
    void clamp(const Vec2& min, const Vec2& max);
    bool fuzzyEquals(const Vec2& target, float variance) const;
    bool equals(const Vec2& target) const;

    static Vec2 forAngle(float a) { return Vec2(std::cos(a), std::sin(a)); }

    Vec2 operator+(const Vec2& v) const { return Vec2(x + v.x, y + v.y); }
    Vec2 operator-(const Vec2& v) const { return Vec2(x - v.x, y - v.y); }
    Vec2 operator-() const { return Vec2(-x, -y); }
    Vec2 operator*(float s) const { return Vec2(x * s, y * s); }
    Vec2 operator/(float s) const { return Vec2(x / s, y / s); }
    Vec2& operator+=(const Vec2& v) {
        x += v.x;
        y += v.y;
        return *this;
    }
    Vec2& operator-=(const Vec2& v) {
        x -= v.x;
        y -= v.y;
        return *this;
    }
    Vec2& operator*=(float s) {
        x *= s;
        y *= s;
        return *this;
    }
    Vec2& operator/=(float s) {
        x /= s;
        y /= s;
        return *this;
    }
    bool operator==(const Vec2& v) const { return x == v.x && y == v.y; }
    bool operator!=(const Vec2& v) const { return !(*this == v); }
    // Lexicographic (x, then y), so Vec2 can key ordered containers.
    bool operator<(const Vec2& v) const { return x == v.x ? y < v.y : x < v.x; }
    bool operator>(const Vec2& v) const { return x == v.x ? y > v.y : x > v.x; }

    static const Vec2 ZERO;
    static const Vec2 ONE;
    static const Vec2 UNIT_X;
    static const Vec2 UNIT_Y;
    static const Vec2 ANCHOR_MIDDLE;
    static const Vec2 ANCHOR_BOTTOM_LEFT;
    static const Vec2 ANCHOR_TOP_LEFT;
    static const Vec2 ANCHOR_BOTTOM_RIGHT;
    static const Vec2 ANCHOR_TOP_RIGHT;
    static const Vec2 ANCHOR_MIDDLE_RIGHT;
    static const Vec2 ANCHOR_MIDDLE_LEFT;
    static const Vec2 ANCHOR_MIDDLE_TOP;
    static const Vec2 ANCHOR_MIDDLE_BOTTOM;
};

inline Vec2 operator*(float s, const Vec2& v) {
    return v * s;
}

typedef Vec2 Point;

NS_CC_END
