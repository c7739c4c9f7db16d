#include <algorithm>
#include <cfloat>
#include <cmath>

#include "math/Vec2.h"
#include "math/Vec3.h"
#include "math/Vec4.h"

NS_CC_BEGIN

const Vec2 Vec2::ZERO(0.0f, 0.0f);
const Vec2 Vec2::ONE(1.0f, 1.0f);
const Vec2 Vec2::UNIT_X(1.0f, 0.0f);
const Vec2 Vec2::UNIT_Y(0.0f, 1.0f);
const Vec2 Vec2::ANCHOR_MIDDLE(0.5f, 0.5f);
const Vec2 Vec2::ANCHOR_BOTTOM_LEFT(0.0f, 0.0f);
const Vec2 Vec2::ANCHOR_TOP_LEFT(0.0f, 1.0f);
const Vec2 Vec2::ANCHOR_BOTTOM_RIGHT(1.0f, 0.0f);
const Vec2 Vec2::ANCHOR_TOP_RIGHT(1.0f, 1.0f);
const Vec2 Vec2::ANCHOR_MIDDLE_RIGHT(1.0f, 0.5f);
const Vec2 Vec2::ANCHOR_MIDDLE_LEFT(0.0f, 0.5f);
const Vec2 Vec2::ANCHOR_MIDDLE_TOP(0.5f, 1.0f);
const Vec2 Vec2::ANCHOR_MIDDLE_BOTTOM(0.5f, 0.0f);

const Vec3 Vec3::ZERO(0.0f, 0.0f, 0.0f);
const Vec3 Vec3::ONE(1.0f, 1.0f, 1.0f);
const Vec3 Vec3::UNIT_X(1.0f, 0.0f, 0.0f);
const Vec3 Vec3::UNIT_Y(0.0f, 1.0f, 0.0f);
const Vec3 Vec3::UNIT_Z(0.0f, 0.0f, 1.0f);

const Vec4 Vec4::ZERO(0.0f, 0.0f, 0.0f, 0.0f);
const Vec4 Vec4::ONE(1.0f, 1.0f, 1.0f, 1.0f);
const Vec4 Vec4::UNIT_X(1.0f, 0.0f, 0.0f, 0.0f);
const Vec4 Vec4::UNIT_Y(0.0f, 1.0f, 0.0f, 0.0f);
const Vec4 Vec4::UNIT_Z(0.0f, 0.0f, 1.0f, 0.0f);
const Vec4 Vec4::UNIT_W(0.0f, 0.0f, 0.0f, 1.0f);

float Vec2::getAngle(const Vec2& other) const {
    Vec2 a2 = getNormalized();
    Vec2 b2 = other.getNormalized();
    float angle = std::atan2(a2.cross(b2), a2.dot(b2));
    if (std::fabs(angle) < MATH_EPSILON) {
        return 0.0f;
    }
    return angle;
}

void Vec2::normalize() {
    float n = x * x + y * y;
    if (n == 1.0f || n < MATH_TOLERANCE) {
        return;
    }
    n = 1.0f / std::sqrt(n);
    x *= n;
    y *= n;
}

Vec2 Vec2::getNormalized() const {
    Vec2 v(*this);
    v.normalize();
    return v;
}

void Vec2::rotate(const Vec2& point, float angle) {
    float sinAngle = std::sin(angle);
    float cosAngle = std::cos(angle);
    float tempX = x - point.x;
    float tempY = y - point.y;
    x = tempX * cosAngle - tempY * sinAngle + point.x;
    y = tempY * cosAngle + tempX * sinAngle + point.y;
}

Vec2 Vec2::rotateByAngle(const Vec2& pivot, float angle) const {
    Vec2 v(*this);
    v.rotate(pivot, angle);
    return v;
}

void Vec2::clamp(const Vec2& min, const Vec2& max) {
    x = std::min(std::max(x, min.x), max.x);
    y = std::min(std::max(y, min.y), max.y);
}

bool Vec2::fuzzyEquals(const Vec2& b, float var) const {
    return x - var <= b.x && b.x <= x + var && y - var <= b.y && b.y <= y + var;
}

bool Vec2::equals(const Vec2& target) const {
    return std::fabs(x - target.x) < FLT_EPSILON && std::fabs(y - target.y) < FLT_EPSILON;
}

void Vec3::normalize() {
    float n = lengthSquared();
    if (n == 1.0f || n < MATH_TOLERANCE) {
        return;
    }
    n = 1.0f / std::sqrt(n);
    x *= n;
    y *= n;
    z *= n;
}

Vec3 Vec3::getNormalized() const {
    Vec3 v(*this);
    v.normalize();
    return v;
}

bool Vec4::operator<(const Vec4& v) const {
    if (x != v.x) {
        return x < v.x;
    }
    if (y != v.y) {
        return y < v.y;
    }
    if (z != v.z) {
        return z < v.z;
    }
    return w < v.w;
}

NS_CC_END
