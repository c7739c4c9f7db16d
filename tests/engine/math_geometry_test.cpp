// Geometry edge cases the game's hit tests and transforms depend on.

#include <gtest/gtest.h>

#include <cmath>

#include "base/ccTypes.h"
#include "math/CCGeometry.h"
#include "math/Mat4.h"

USING_NS_CC;

TEST(MathGeometry, RectEdgesCountAsInside) {
    Rect r(10, 20, 100, 50);
    EXPECT_TRUE(r.containsPoint(Vec2(10, 20)));
    EXPECT_TRUE(r.containsPoint(Vec2(110, 70)));
    EXPECT_FALSE(r.containsPoint(Vec2(110.01f, 70)));
    EXPECT_FALSE(r.containsPoint(Vec2(9.99f, 30)));
    EXPECT_TRUE(r.intersectsRect(Rect(110, 70, 5, 5))) << "touching corners intersect";
    EXPECT_FALSE(r.intersectsRect(Rect(111, 70, 5, 5)));
    EXPECT_EQ(r.unionWithRect(Rect(0, 0, 1, 1)), Rect(0, 0, 110, 70));
    EXPECT_FLOAT_EQ(r.getMidX(), 60.0f);
    EXPECT_FLOAT_EQ(r.getMaxY(), 70.0f);
}

TEST(MathGeometry, VectorArithmeticAndConstants) {
    Vec2 v = 2.0f * Vec2(3, 4) - Vec2::ONE;
    EXPECT_EQ(v, Vec2(5, 7));
    EXPECT_FLOAT_EQ(Vec2(3, 4).length(), 5.0f);
    EXPECT_FLOAT_EQ(Vec2(0, 0).distance(Vec2(3, 4)), 5.0f);
    Vec2 zero;
    zero.normalize();
    EXPECT_EQ(zero, Vec2::ZERO) << "normalising zero must not produce NaN";
    EXPECT_EQ(Vec2::ANCHOR_TOP_LEFT, Vec2(0, 1));
    EXPECT_EQ(Size(Vec2(2, 3)) * 2, Size(4, 6));
    EXPECT_EQ(Vec4(1, 2, 3, 4) - Vec4::ONE, Vec4(0, 1, 2, 3));
    EXPECT_EQ(Color4B::BLACK, Color4B(0, 0, 0, 255));
    EXPECT_EQ(BlendFunc::ADDITIVE, (BlendFunc{770, 1}));
}

TEST(MathGeometry, MatricesComposeRightToLeftAndInvert) {
    // Rotate 90 degrees counter-clockwise about the origin, then move by (10, 0).
    Mat4 m = Mat4::createTranslation(10, 0, 0) * Mat4::createRotationZ(static_cast<float>(M_PI / 2));
    Vec2 p = m.transformPoint2D(Vec2(1, 0));
    EXPECT_NEAR(p.x, 10.0f, 1e-5f);
    EXPECT_NEAR(p.y, 1.0f, 1e-5f);
    Vec3 q(1, 0, 0);
    m.transformPoint(&q);
    EXPECT_NEAR(q.y, 1.0f, 1e-5f);

    Mat4 scaled = m * Mat4::createScale(2, 3, 1);
    Vec2 back = scaled.getInversed().transformPoint2D(scaled.transformPoint2D(Vec2(7, -4)));
    EXPECT_NEAR(back.x, 7.0f, 1e-4f);
    EXPECT_NEAR(back.y, -4.0f, 1e-4f);

    Mat4 singular = Mat4::createScale(0, 1, 1);
    EXPECT_FALSE(singular.inverse());
    EXPECT_EQ(singular, Mat4::createScale(0, 1, 1)) << "a failed inverse leaves the matrix alone";
    EXPECT_TRUE(Mat4::IDENTITY.isIdentity());
}
