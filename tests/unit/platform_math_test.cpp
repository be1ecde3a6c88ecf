#include "platform/MCamera.h"
#include "platform/MMatrix.h"
#include "platform/MPlane.h"
#include "platform/MVector3.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr float kTolerance = 1e-5f;

void ExpectVector(const MVector3& v, float x, float y, float z, float tolerance = kTolerance)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

void ExpectPlane(const MPlane& p, float a, float b, float c, float d)
{
    EXPECT_NEAR(p.a, a, kTolerance);
    EXPECT_NEAR(p.b, b, kTolerance);
    EXPECT_NEAR(p.c, c, kTolerance);
    EXPECT_NEAR(p.d, d, kTolerance);
}

void ExpectMatrix(const MMatrix& got, const MMatrix& expected, float tolerance = kTolerance)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(got(i, j), expected(i, j), tolerance) << i << "," << j;
}

MVector3 Transform(const MVector3& p, const MMatrix& m)
{
    MVector3 r;
    return r.SetTransformCoord(p, m);
}

// A transform with rotation and translation, as the game builds for the board.
MMatrix Leaned()
{
    MMatrix ry, rx, t, m;
    m.SetProduct(ry.SetRotationY(0.07f), rx.SetRotationX(-0.04f));
    return m.SetProduct(m, t.SetTranslation(0.0f, 0.0f, -1.3f));
}

TEST(MCameraTest, NewFlyingCameraGivesTheGameView)
{
    MCamera camera(MCamera::kFly);
    ExpectVector(camera.GetPosition(), 0.0f, -6.1f, -13.44f);
    MMatrix view;
    camera.GetViewMatrix(&view);
    ExpectVector(camera.GetLook(), 0.0f, 0.384615f, 0.923077f);
    ExpectVector(camera.GetUp(), 0.0f, 0.923077f, -0.384615f);
    ExpectVector(camera.GetRight(), 1.0f, 0.0f, 0.0f);
    const float row4[4] = {0.0f, 0.461538f, 14.752308f, 1.0f};
    for (int j = 0; j < 4; ++j)
        EXPECT_NEAR(view(3, j), row4[j], 1e-4f) << j;
    // The columns hold the axes: the look direction maps onto +z.
    MVector3 look;
    look.SetTransformNormal(camera.GetLook(), view);
    ExpectVector(look, 0.0f, 0.0f, 1.0f);
    // The camera's own position is the origin of view space.
    ExpectVector(Transform(camera.GetPosition(), view), 0.0f, 0.0f, 0.0f, 1e-4f);
}

TEST(MCameraTest, WalkingKeepsToTheGroundPlaneAndOtherModesStayPut)
{
    MCamera camera(MCamera::kWalk);
    camera.MoveForward(1.0f);
    camera.MoveSideways(2.0f);
    camera.MoveUp(2.0f);
    ExpectVector(camera.GetPosition(), 2.0f, -1.0f, -11.04f);

    MCamera other(7);
    other.MoveForward(1.0f);
    other.MoveSideways(1.0f);
    other.MoveUp(1.0f);
    ExpectVector(other.GetPosition(), 0.0f, -3.0f, -6.0f);
}

TEST(MMatrixTest, RotationsAreLeftHandedForRowVectors)
{
    MMatrix m;
    const float a = 0.3f;
    ExpectVector(Transform(MVector3(1, 0, 0), m.SetRotationY(a)), std::cos(a), 0, -std::sin(a));
    ExpectVector(Transform(MVector3(0, 1, 0), m.SetRotationX(a)), 0, std::cos(a), std::sin(a));
    ExpectVector(Transform(MVector3(1, 2, 3), m.SetTranslation(4, 5, 6)), 5, 7, 9);
}

TEST(MMatrixTest, ProductIntoAnOperandIsSafe)
{
    MMatrix m = Leaned();
    MMatrix expected;
    expected.SetProduct(Leaned(), Leaned());
    m.SetProduct(m, m);
    ExpectMatrix(m, expected);

    MMatrix left = Leaned(), right;
    right.SetRotationX(0.5f);
    expected.SetProduct(right, Leaned());
    left.SetProduct(right, left);
    ExpectMatrix(left, expected);
}

TEST(MMatrixTest, InverseUndoesTheTransform)
{
    MMatrix inverse, product, identity;
    float determinant = 0.0f;
    inverse.SetInverse(Leaned(), &determinant);
    EXPECT_NEAR(determinant, 1.0f, kTolerance);
    ExpectMatrix(product.SetProduct(Leaned(), inverse), identity.SetIdentity());

    MMatrix scaled = Leaned();
    scaled.m[0][0] *= 2.0f;
    scaled.m[0][1] *= 2.0f;
    scaled.m[0][2] *= 2.0f;
    inverse.SetInverse(scaled, &determinant);
    EXPECT_NEAR(determinant, 2.0f, kTolerance);
    ExpectMatrix(product.SetProduct(inverse, scaled), identity);

    // A singular matrix leaves the target as it was.
    MMatrix singular;
    singular.SetIdentity().m[2][2] = 0.0f;
    MMatrix target = Leaned();
    target.SetInverse(singular, &determinant);
    EXPECT_EQ(determinant, 0.0f);
    ExpectMatrix(target, Leaned());
    target.SetInverse(Leaned(), nullptr);
    ExpectMatrix(product.SetProduct(target, Leaned()), identity);
}

TEST(MMatrixTest, PerspectiveMapsNearToZeroAndFarToOne)
{
    MMatrix projection;
    projection.SetPerspectiveFovLH(0.7853982f, 1.33f, 1.0f, 100.0f);
    const float yScale = 1.0f / std::tan(0.7853982f / 2.0f);
    EXPECT_NEAR(projection(1, 1), yScale, kTolerance);
    EXPECT_NEAR(projection(0, 0), yScale / 1.33f, kTolerance);
    EXPECT_EQ(projection(2, 3), 1.0f);
    EXPECT_EQ(projection(3, 3), 0.0f);
    EXPECT_NEAR(Transform(MVector3(0, 0, 1), projection).z, 0.0f, kTolerance);
    EXPECT_NEAR(Transform(MVector3(0, 0, 100), projection).z, 1.0f, kTolerance);
    // The top edge of the view at distance 10 lands on y = 1.
    const float top = 10.0f * std::tan(0.7853982f / 2.0f);
    EXPECT_NEAR(Transform(MVector3(0, top, 10), projection).y, 1.0f, kTolerance);
}

TEST(MMatrixTest, ShadowFlattensPointsOntoThePlaneAlongTheLight)
{
    const float light[4] = {0.3f, -0.3f, 1.0f, 0.0f};
    MPlane floor;
    floor.SetFromPointNormal(MVector3(0, 1, 1.49f), MVector3(0, 0, 1)).Normalize();
    MMatrix shadow;
    shadow.SetShadow(light, floor);
    for (const MVector3& p : {MVector3(0.5f, -0.2f, -1.3f), MVector3(-2, 3, 0.4f), MVector3(1, 1, 1.49f)}) {
        const MVector3 q = Transform(p, shadow);
        EXPECT_NEAR(floor.DotCoord(q), 0.0f, kTolerance);
        // q − p is parallel to the light direction.
        const MVector3 step = q - p;
        ExpectVector(step.Cross(MVector3(light[0], light[1], light[2])), 0, 0, 0, 1e-4f);
    }
    ExpectVector(Transform(MVector3(1, 1, 1.49f), shadow), 1, 1, 1.49f);
}

TEST(MPlaneTest, PlanesFromPointsAndFromPointAndNormal)
{
    MPlane p;
    ExpectPlane(p.SetFromPointNormal(MVector3(0, 0, 1), MVector3(0, 0, 1)), 0, 0, 1, -1);
    ExpectPlane(p.SetFromPoints(MVector3(1, 1, -0.15f), MVector3(-1, 1, -0.15f), MVector3(1, -1, -0.15f)), 0, 0, 1,
                0.15f);
    ExpectPlane(MPlane(0, 3, 4, 10).Normalize(), 0, 0.6f, 0.8f, 2.0f);
    ExpectPlane(MPlane(0, 0, 0, 5).Normalize(), 0, 0, 0, 0);
}

TEST(MPlaneTest, TransformByTheInverseTransposeMovesThePlaneWithItsPoints)
{
    MPlane board;
    board.SetFromPoints(MVector3(1, 1, -0.15f), MVector3(-1, 1, -0.15f), MVector3(1, -1, -0.15f));
    MMatrix inverse, inverseTranspose;
    inverse.SetInverse(Leaned(), nullptr);
    inverseTranspose.SetTranspose(inverse);
    MPlane moved;
    moved.SetTransformed(board, inverseTranspose);
    for (const MVector3& p : {MVector3(0, 0, -0.15f), MVector3(3, -4, -0.15f), MVector3(-2, 5, -0.15f)})
        EXPECT_NEAR(moved.DotCoord(Transform(p, Leaned())), 0.0f, kTolerance);
    EXPECT_GT(std::fabs(moved.DotCoord(Transform(MVector3(0, 0, 0), Leaned()))), 0.1f);
}

TEST(MVector3Test, NormalizeKeepsTheZeroVectorAndCrossIsLeftToRight)
{
    ExpectVector(MVector3(0, 0, 0).Normalize(), 0, 0, 0);
    ExpectVector(MVector3(1, 0, 0).Cross(MVector3(0, 1, 0)), 0, 0, 1);
    MVector3 n;
    ExpectVector(n.SetTransformNormal(MVector3(1, 2, 3), MMatrix().SetTranslation(9, 9, 9)), 1, 2, 3);
}

} // namespace
