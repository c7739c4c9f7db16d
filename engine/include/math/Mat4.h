#pragma once

#include "math/CCMathBase.h"
#include "math/Vec2.h"
#include "math/Vec3.h"
#include "math/Vec4.h"

NS_CC_BEGIN

// 4x4 matrix stored column-major: m[0..3] is the first column, m[12], m[13], m[14] the translation.
// Points are column vectors, so (A * B) applied to p is A(B(p)).
class Mat4 {
public:
    float m[16];

    // Identity. The constructors are constexpr so IDENTITY and ZERO are ready before any other
    // static initialiser reads them.
    constexpr Mat4() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}
    // Arguments in row-major reading order (m11 is row 1 column 1).
    constexpr Mat4(float m11, float m12, float m13, float m14, float m21, float m22, float m23, float m24,
                   float m31, float m32, float m33, float m34, float m41, float m42, float m43, float m44)
        : m{m11, m21, m31, m41, m12, m22, m32, m42, m13, m23, m33, m43, m14, m24, m34, m44} {}
    explicit Mat4(const float* mat);

    static void createTranslation(float x, float y, float z, Mat4* dst);
    static void createTranslation(const Vec3& t, Mat4* dst) { createTranslation(t.x, t.y, t.z, dst); }
    static void createScale(float sx, float sy, float sz, Mat4* dst);
    // Counter-clockwise rotation by angle radians around the z axis.
    static void createRotationZ(float angle, Mat4* dst);
    static Mat4 createTranslation(float x, float y, float z);
    static Mat4 createScale(float sx, float sy, float sz);
    static Mat4 createRotationZ(float angle);

    void set(const float* mat);
    void setIdentity();
    void setZero();
    bool isIdentity() const;
    float determinant() const;

    // Replaces this with its inverse; returns false (and leaves this unchanged) when singular.
    bool inverse();
    // The inverse, or the matrix unchanged when it is singular.
    Mat4 getInversed() const;
    void transpose();
    Mat4 getTransposed() const;

    void multiply(const Mat4& mat) { multiply(*this, mat, this); }
    void multiply(float scalar);
    static void multiply(const Mat4& m1, const Mat4& m2, Mat4* dst);

    // this = this * T / S / R, i.e. the new transform is applied first.
    void translate(float x, float y, float z);
    void scale(float sx, float sy, float sz);
    void rotateZ(float angle);

    Vec3 getTranslation() const { return Vec3(m[12], m[13], m[14]); }
    void getTranslation(Vec3* t) const { *t = getTranslation(); }

    void transformPoint(Vec3* point) const { transformPoint(*point, point); }
    void transformPoint(const Vec3& point, Vec3* dst) const;
    void transformVector(Vec3* vector) const { transformVector(*vector, vector); }
    void transformVector(const Vec3& vector, Vec3* dst) const;
    void transformVector(Vec4* vector) const { transformVector(*vector, vector); }
    void transformVector(const Vec4& vector, Vec4* dst) const;
    // The 2D point (x, y, 0, 1) through this matrix, projected back to x, y.
    Vec2 transformPoint2D(const Vec2& point) const;

    Mat4 operator*(const Mat4& mat) const {
        Mat4 r;
        multiply(*this, mat, &r);
        return r;
    }
    Mat4& operator*=(const Mat4& mat) {
        multiply(mat);
        return *this;
    }
    bool operator==(const Mat4& mat) const;
    bool operator!=(const Mat4& mat) const { return !(*this == mat); }

    static const Mat4 ZERO;
    static const Mat4 IDENTITY;
};

inline Vec3 operator*(const Mat4& m, const Vec3& v) {
    Vec3 x;
    m.transformVector(v, &x);
    return x;
}

inline Vec4 operator*(const Mat4& m, const Vec4& v) {
    Vec4 x;
    m.transformVector(v, &x);
    return x;
}

NS_CC_END
