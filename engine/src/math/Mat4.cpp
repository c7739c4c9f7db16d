#include "math/Mat4.h"

#include <cmath>
#include <cstring>

NS_CC_BEGIN

namespace {
const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

const Mat4 Mat4::IDENTITY;
const Mat4 Mat4::ZERO(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

Mat4::Mat4(const float* mat) {
    set(mat);
}

void Mat4::set(const float* mat) {
    std::memcpy(m, mat, sizeof(m));
}

void Mat4::setIdentity() {
    std::memcpy(m, kIdentity, sizeof(m));
}

void Mat4::setZero() {
    std::memset(m, 0, sizeof(m));
}

bool Mat4::isIdentity() const {
    return std::memcmp(m, kIdentity, sizeof(m)) == 0;
}

bool Mat4::operator==(const Mat4& mat) const {
    for (int i = 0; i < 16; ++i) {
        if (m[i] != mat.m[i]) {
            return false;
        }
    }
    return true;
}

void Mat4::createTranslation(float x, float y, float z, Mat4* dst) {
    dst->setIdentity();
    dst->m[12] = x;
    dst->m[13] = y;
    dst->m[14] = z;
}

void Mat4::createScale(float sx, float sy, float sz, Mat4* dst) {
    dst->setIdentity();
    dst->m[0] = sx;
    dst->m[5] = sy;
    dst->m[10] = sz;
}

void Mat4::createRotationZ(float angle, Mat4* dst) {
    dst->setIdentity();
    float c = std::cos(angle);
    float s = std::sin(angle);
    dst->m[0] = c;
    dst->m[1] = s;
    dst->m[4] = -s;
    dst->m[5] = c;
}

Mat4 Mat4::createTranslation(float x, float y, float z) {
    Mat4 r;
    createTranslation(x, y, z, &r);
    return r;
}

Mat4 Mat4::createScale(float sx, float sy, float sz) {
    Mat4 r;
    createScale(sx, sy, sz, &r);
    return r;
}

Mat4 Mat4::createRotationZ(float angle) {
    Mat4 r;
    createRotationZ(angle, &r);
    return r;
}

void Mat4::multiply(const Mat4& m1, const Mat4& m2, Mat4* dst) {
    float product[16];
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            product[col * 4 + row] = m1.m[row] * m2.m[col * 4] + m1.m[4 + row] * m2.m[col * 4 + 1] +
                                     m1.m[8 + row] * m2.m[col * 4 + 2] + m1.m[12 + row] * m2.m[col * 4 + 3];
        }
    }
    std::memcpy(dst->m, product, sizeof(product));
}

void Mat4::multiply(float scalar) {
    for (float& v : m) {
        v *= scalar;
    }
}

void Mat4::translate(float x, float y, float z) {
    multiply(createTranslation(x, y, z));
}

void Mat4::scale(float sx, float sy, float sz) {
    multiply(createScale(sx, sy, sz));
}

void Mat4::rotateZ(float angle) {
    multiply(createRotationZ(angle));
}

float Mat4::determinant() const {
    float a0 = m[0] * m[5] - m[1] * m[4];
    float a1 = m[0] * m[6] - m[2] * m[4];
    float a2 = m[0] * m[7] - m[3] * m[4];
    float a3 = m[1] * m[6] - m[2] * m[5];
    float a4 = m[1] * m[7] - m[3] * m[5];
    float a5 = m[2] * m[7] - m[3] * m[6];
    float b0 = m[8] * m[13] - m[9] * m[12];
    float b1 = m[8] * m[14] - m[10] * m[12];
    float b2 = m[8] * m[15] - m[11] * m[12];
    float b3 = m[9] * m[14] - m[10] * m[13];
    float b4 = m[9] * m[15] - m[11] * m[13];
    float b5 = m[10] * m[15] - m[11] * m[14];
    return a0 * b5 - a1 * b4 + a2 * b3 + a3 * b2 - a4 * b1 + a5 * b0;
}

bool Mat4::inverse() {
    float a0 = m[0] * m[5] - m[1] * m[4];
    float a1 = m[0] * m[6] - m[2] * m[4];
    float a2 = m[0] * m[7] - m[3] * m[4];
    float a3 = m[1] * m[6] - m[2] * m[5];
    float a4 = m[1] * m[7] - m[3] * m[5];
    float a5 = m[2] * m[7] - m[3] * m[6];
    float b0 = m[8] * m[13] - m[9] * m[12];
    float b1 = m[8] * m[14] - m[10] * m[12];
    float b2 = m[8] * m[15] - m[11] * m[12];
    float b3 = m[9] * m[14] - m[10] * m[13];
    float b4 = m[9] * m[15] - m[11] * m[13];
    float b5 = m[10] * m[15] - m[11] * m[14];
    float det = a0 * b5 - a1 * b4 + a2 * b3 + a3 * b2 - a4 * b1 + a5 * b0;
    if (std::fabs(det) <= MATH_TOLERANCE) {
        return false;
    }
    Mat4 inv;
    inv.m[0] = m[5] * b5 - m[6] * b4 + m[7] * b3;
    inv.m[1] = -m[1] * b5 + m[2] * b4 - m[3] * b3;
    inv.m[2] = m[13] * a5 - m[14] * a4 + m[15] * a3;
    inv.m[3] = -m[9] * a5 + m[10] * a4 - m[11] * a3;
    inv.m[4] = -m[4] * b5 + m[6] * b2 - m[7] * b1;
    inv.m[5] = m[0] * b5 - m[2] * b2 + m[3] * b1;
    inv.m[6] = -m[12] * a5 + m[14] * a2 - m[15] * a1;
    inv.m[7] = m[8] * a5 - m[10] * a2 + m[11] * a1;
    inv.m[8] = m[4] * b4 - m[5] * b2 + m[7] * b0;
    inv.m[9] = -m[0] * b4 + m[1] * b2 - m[3] * b0;
    inv.m[10] = m[12] * a4 - m[13] * a2 + m[15] * a0;
    inv.m[11] = -m[8] * a4 + m[9] * a2 - m[11] * a0;
    inv.m[12] = -m[4] * b3 + m[5] * b1 - m[6] * b0;
    inv.m[13] = m[0] * b3 - m[1] * b1 + m[2] * b0;
    inv.m[14] = -m[12] * a3 + m[13] * a1 - m[14] * a0;
    inv.m[15] = m[8] * a3 - m[9] * a1 + m[10] * a0;
    inv.multiply(1.0f / det);
    *this = inv;
    return true;
}

Mat4 Mat4::getInversed() const {
    Mat4 mat(*this);
    mat.inverse();
    return mat;
}

void Mat4::transpose() {
    Mat4 t = getTransposed();
    *this = t;
}

Mat4 Mat4::getTransposed() const {
    return Mat4(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14],
                m[15]);
}

void Mat4::transformPoint(const Vec3& point, Vec3* dst) const {
    Vec4 r;
    transformVector(Vec4(point.x, point.y, point.z, 1.0f), &r);
    dst->set(r.x, r.y, r.z);
}

void Mat4::transformVector(const Vec3& vector, Vec3* dst) const {
    Vec4 r;
    transformVector(Vec4(vector.x, vector.y, vector.z, 0.0f), &r);
    dst->set(r.x, r.y, r.z);
}

void Mat4::transformVector(const Vec4& v, Vec4* dst) const {
    float x = v.x * m[0] + v.y * m[4] + v.z * m[8] + v.w * m[12];
    float y = v.x * m[1] + v.y * m[5] + v.z * m[9] + v.w * m[13];
    float z = v.x * m[2] + v.y * m[6] + v.z * m[10] + v.w * m[14];
    float w = v.x * m[3] + v.y * m[7] + v.z * m[11] + v.w * m[15];
    dst->set(x, y, z, w);
}

Vec2 Mat4::transformPoint2D(const Vec2& point) const {
    return Vec2(point.x * m[0] + point.y * m[4] + m[12], point.x * m[1] + point.y * m[5] + m[13]);
}

NS_CC_END
