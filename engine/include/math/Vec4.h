#pragma once

#include <cmath>

#include "math/CCMathBase.h"

NS_CC_BEGIN

class Vec4 {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    constexpr Vec4() = default;
    constexpr Vec4(float xx, float yy, float zz, float ww) : x(xx), y(yy), z(zz), w(ww) {}

    void set(float xx, float yy, float zz, float ww) {
        x = xx;
        y = yy;
        z = zz;
        w = ww;
    }
    bool isZero() const { return x == 0.0f && y == 0.0f && z == 0.0f && w == 0.0f; }
    float length() const { return std::sqrt(lengthSquared()); }
    float lengthSquared() const { return x * x + y * y + z * z + w * w; }
    float distance(const Vec4& v) const { return (v - *this).length(); }
    float dot(const Vec4& v) const { return x * v.x + y * v.y + z * v.z + w * v.w; }

    Vec4 operator+(const Vec4& v) const { return Vec4(x + v.x, y + v.y, z + v.z, w + v.w); }
    Vec4 operator-(const Vec4& v) const { return Vec4(x - v.x, y - v.y, z - v.z, w - v.w); }
    Vec4 operator-() const { return Vec4(-x, -y, -z, -w); }
    Vec4 operator*(float s) const { return Vec4(x * s, y * s, z * s, w * s); }
    Vec4 operator/(float s) const { return Vec4(x / s, y / s, z / s, w / s); }
    Vec4& operator+=(const Vec4& v) { return *this = *this + v; }
    Vec4& operator-=(const Vec4& v) { return *this = *this - v; }
    Vec4& operator*=(float s) { return *this = *this * s; }
    bool operator==(const Vec4& v) const { return x == v.x && y == v.y && z == v.z && w == v.w; }
    bool operator!=(const Vec4& v) const { return !(*this == v); }
    // Lexicographic (x, y, z, w).
    bool operator<(const Vec4& v) const;

    static const Vec4 ZERO;
    static const Vec4 ONE;
    static const Vec4 UNIT_X;
    static const Vec4 UNIT_Y;
    static const Vec4 UNIT_Z;
    static const Vec4 UNIT_W;
};

inline Vec4 operator*(float s, const Vec4& v) {
    return v * s;
}

NS_CC_END
