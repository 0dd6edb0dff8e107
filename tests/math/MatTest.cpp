#include "math/Mat.h"

#include <gtest/gtest.h>

using namespace vell;

namespace {

void expectNear(const vec3& v, float x, float y, float z, float eps = 1e-5f)
{
    EXPECT_NEAR(v.x, x, eps);
    EXPECT_NEAR(v.y, y, eps);
    EXPECT_NEAR(v.z, z, eps);
}

float depthAfterDivide(const mat4& projection, float z)
{
    const vec4 clip = projection * vec4(0, 0, z, 1);
    return clip.z / clip.w;
}

} // namespace

TEST(Mat, DefaultIsZeroAndIdentityIsIdentity)
{
    const mat4 zero;
    const mat4 id = mat4::identityMatrix();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(zero[c][r], 0.0f);
            EXPECT_EQ(id[c][r], c == r ? 1.0f : 0.0f);
        }
    EXPECT_EQ(id.ptr()[5], 1.0f);
}

TEST(Mat, TranslationMovesPointsButNotDirections)
{
    const mat4 t = mat4::translationMatrix(1, 2, 3);
    expectNear(t * vec3(0, 0, 0), 1, 2, 3, 0.0f);
    const vec4 direction = t * vec4(0, 0, 0, 0);
    EXPECT_EQ(direction.x, 0.0f);
    EXPECT_EQ(direction.y, 0.0f);
    EXPECT_EQ(direction.z, 0.0f);
    EXPECT_EQ(direction.w, 0.0f);
    // Column-major: the offset sits in floats 12..14.
    EXPECT_EQ(t.ptr()[12], 1.0f);
    EXPECT_EQ(t.ptr()[14], 3.0f);
}

TEST(Mat, ProductAppliesRightOperandFirst)
{
    const mat4 scale = mat4::scaleMatrix(2, 2, 2, 1);
    const mat4 move = mat4::translationMatrix(1, 0, 0);
    expectNear((scale * move) * vec3(1, 1, 1), 4, 2, 2);
    expectNear((move * scale) * vec3(1, 1, 1), 3, 2, 2);

    mat4 m = move * scale;
    m *= m; // aliasing must not corrupt the product
    expectNear(m * vec3(0, 0, 0), 3, 0, 0);
    expectNear(m * vec3(1, 1, 1), 7, 4, 4);
}

TEST(Mat, RotationFollowsRightHandRule)
{
    expectNear(mat4::rotationMatrix(vec3(0, 0, 1), 90) * vec3(1, 0, 0), 0, 1, 0);
    expectNear(mat4::rotationMatrix(vec3(1, 0, 0), 90) * vec3(0, 1, 0), 0, 0, 1);
    expectNear(mat4::rotationMatrix(vec3(0, 1, 0), 90) * vec3(0, 0, 1), 1, 0, 0);

    // The axis is normalised: its length does not matter, and it is left in place.
    const mat4 unit = mat4::rotationMatrix(normalize(vec3(1, 2, 3)), 37);
    const mat4 longAxis = mat4::rotationMatrix(vec3(10, 20, 30), 37);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(unit[c][r], longAxis[c][r], 1e-6f);
    expectNear(longAxis * vec3(1, 2, 3), 1, 2, 3);

    const mat4 degenerate = mat4::rotationMatrix(vec3(0, 0, 0), 60);
    EXPECT_NEAR(degenerate[0][0], 0.5f, 1e-6f);
    EXPECT_EQ(degenerate[1][0], 0.0f);
    EXPECT_EQ(degenerate[3][3], 1.0f);
}

TEST(Mat, PerspectiveMapsNearAndFarToDepthRange)
{
    const mat4 p = mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
    EXPECT_EQ(p[2][3], -1.0f);
    EXPECT_EQ(p[3][3], 0.0f);
    EXPECT_NEAR(depthAfterDivide(p, -0.1f), -1.0f, 1e-5f);
    EXPECT_NEAR(depthAfterDivide(p, -100.0f), 1.0f, 1e-5f);
    EXPECT_NEAR(p[1][1], 1.7320508f, 1e-6f); // cot 30 degrees
    EXPECT_NEAR(p[0][0], p[1][1] / 1.5f, 1e-6f);
    EXPECT_NEAR(mat4::perspectiveMatrix(90, 1, 1, 10)[1][1], 1.0f, 1e-6f);
}

TEST(Mat, LookAtTakesEyeUpThenTarget)
{
    const mat4 v = mat4::lookAtMatrix(vec3(0, 0, 5), vec3(0, 1, 0), vec3(0, 0, 0));
    expectNear(v * vec3(0, 0, 0), 0, 0, -5);
    expectNear(v * vec3(0, 0, 5), 0, 0, 0);

    // Looking along +x from (0, 0, 5): +z is to the right, +y up; an up vector
    // that is neither unit length nor orthogonal to the view changes nothing.
    const mat4 side = mat4::lookAtMatrix(vec3(0, 0, 5), vec3(3, 2, 0), vec3(1, 0, 5));
    expectNear(side * vec3(3, 0, 5), 0, 0, -3);
    expectNear(side * vec3(0, 0, 6), 1, 0, 0);
    expectNear(side * vec3(0, 1, 5), 0, 1, 0);
}

TEST(Mat, TransposeAndNormalMatrix)
{
    mat4 m = mat4::rotationMatrix(vec3(0, 0, 1), 30) * mat4::translationMatrix(4, 5, 6);
    m[0][3] = 9.0f;
    const mat4 t = transpose(m);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(t[c][r], m[r][c]);

    const mat3 n(m);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(n[c][r], m[c][r]);
    // Nine floats, no translation.
    EXPECT_EQ(n.ptr()[8], m[2][2]);
    EXPECT_EQ(mat3()[2][2], 0.0f);
}
