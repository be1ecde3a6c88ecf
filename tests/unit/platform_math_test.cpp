#include "platform/math/MCamera.h"
#include "platform/math/MMatrix.h"
#include "platform/math/MPlane.h"
#include "platform/math/MVector3.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

void ExpectNear(const MVector3& v, float x, float y, float z, float tolerance = 1e-5f)
{
    EXPECT_LT(std::fabs(v.x - x) + std::fabs(v.y - y) + std::fabs(v.z - z), tolerance)
        << v.x << "," << v.y << "," << v.z;
}

void ExpectNear(const MMatrix& got, const MMatrix& expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(got(i / 4, i % 4), expected(i / 4, i % 4), 1e-5f) << i;
}

MVector3 Transform(const MVector3& p, const MMatrix& m)
{
    MVector3 r;
    return r.SetTransformCoord(p, m);
}

// Rotation and translation, as the game builds for the board.
MMatrix Leaned()
{
    MMatrix ry, rx, t, m;
    m.SetProduct(ry.SetRotationY(0.07f), rx.SetRotationX(-0.04f));
    return m.SetProduct(m, t.SetTranslation(0.0f, 0.0f, -1.3f));
}

TEST(MCameraTest, FlyingGivesTheGameViewWalkingKeepsToTheGroundOtherModesStay)
{
    MCamera camera(MCamera::kFly);
    MMatrix view;
    camera.GetViewMatrix(&view);
    ExpectNear(camera.GetLook(), 0.0f, 0.384615f, 0.923077f);
    ExpectNear(camera.GetUp(), 0.0f, 0.923077f, -0.384615f);
    ExpectNear(camera.GetRight(), 1.0f, 0.0f, 0.0f);
    ExpectNear(MVector3(view(3, 0), view(3, 1), view(3, 2)), 0.0f, 0.461538f, 14.752308f, 1e-4f);
    ExpectNear(Transform(camera.GetPosition(), view), 0, 0, 0, 1e-4f);
    MCamera walk(MCamera::kWalk), other(7);
    for (MCamera* c : {&walk, &other}) {
        c->MoveForward(1.0f);
        c->MoveSideways(2.0f);
        c->MoveUp(2.0f);
    }
    ExpectNear(walk.GetPosition(), 2.0f, -1.0f, -11.04f);
    ExpectNear(other.GetPosition(), 0.0f, -3.0f, -6.0f);
}

TEST(MMatrixTest, LeftHandedRowVectorsProductIntoAnOperandAndInverse)
{
    MMatrix m;
    const float a = 0.3f;
    ExpectNear(Transform(MVector3(1, 0, 0), m.SetRotationY(a)), std::cos(a), 0, -std::sin(a));
    ExpectNear(Transform(MVector3(0, 1, 0), m.SetRotationX(a)), 0, std::cos(a), std::sin(a));
    ExpectNear(Transform(MVector3(1, 2, 3), m.SetTranslation(4, 5, 6)), 5, 7, 9);
    MVector3 n;
    ExpectNear(n.SetTransformNormal(MVector3(1, 2, 3), m), 1, 2, 3);
    MMatrix expected;
    expected.SetProduct(Leaned(), Leaned());
    m = Leaned();
    ExpectNear(m.SetProduct(m, m), expected);

    MMatrix scaled = Leaned(), inverse, product, identity;
    for (int j = 0; j < 3; ++j)
        scaled.m[0][j] *= 2.0f;
    float determinant = 0.0f;
    inverse.SetInverse(scaled, &determinant);
    EXPECT_NEAR(determinant, 2.0f, 1e-5f);
    ExpectNear(product.SetProduct(inverse, scaled), identity.SetIdentity());
    MMatrix singular = identity;
    singular.m[2][2] = 0.0f;
    inverse.SetInverse(singular, &determinant); // leaves the target as it was
    EXPECT_EQ(determinant, 0.0f);
    ExpectNear(product.SetProduct(inverse, scaled), identity);
    inverse.SetInverse(Leaned(), nullptr);
    ExpectNear(product.SetProduct(Leaned(), inverse), identity);
}

TEST(MMatrixTest, PerspectiveMapsNearToZeroFarToOneAndTheTopEdgeToOne)
{
    MMatrix projection;
    projection.SetPerspectiveFovLH(0.7853982f, 1.33f, 1.0f, 100.0f);
    EXPECT_NEAR(Transform(MVector3(0, 0, 1), projection).z, 0.0f, 1e-5f);
    EXPECT_NEAR(Transform(MVector3(0, 0, 100), projection).z, 1.0f, 1e-5f);
    const float top = 10.0f * std::tan(0.7853982f / 2.0f);
    EXPECT_NEAR(Transform(MVector3(0, top, 10), projection).y, 1.0f, 1e-5f);
}

// A zero normal stays zero; three points give the plane through them.
TEST(MPlaneTest, PlanesNormalizeAndPassThroughTheirPoints)
{
    EXPECT_NEAR(MPlane(0, 3, 4, 10).Normalize().d, 2.0f, 1e-5f);
    EXPECT_EQ(MPlane(0, 0, 0, 5).Normalize().d, 0.0f);
    ExpectNear(MVector3(0, 0, 0).Normalize(), 0, 0, 0);
    MPlane board;
    board.SetFromPoints(MVector3(1, 1, -0.15f), MVector3(-1, 1, -0.15f), MVector3(1, -1, -0.15f));
    EXPECT_NEAR(board.c, 1.0f, 1e-5f);
    EXPECT_NEAR(board.DotCoord(MVector3(3, -4, -0.15f)), 0.0f, 1e-5f);
}

} // namespace
