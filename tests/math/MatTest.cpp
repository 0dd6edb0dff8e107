#include "math/Mat.h"
#include "math/MathUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

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

TEST(Vec, NormalizeOfZeroIsZeroAndCrossIsRightHanded)
{
    const vec3 n = normalize(vec3(0, 0, 0));
    EXPECT_FALSE(std::isnan(n.x));
    expectNear(n, 0, 0, 0, 0.0f);
    expectNear(normalize(vec3(0, -3, 4)), 0, -0.6f, 0.8f, 1e-7f);
    expectNear(cross(vec3(1, 0, 0), vec3(0, 1, 0)), 0, 0, 1, 0.0f);
    expectNear(vec3(1, 2, 3) * vec3(4, 5, 6), 4, 10, 18, 0.0f); // component-wise
}

TEST(Mat, IdentityTranslationAndProductOrder)
{
    const mat4 zero, id = mat4::identityMatrix();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(zero.ptr()[i], 0.0f);
        EXPECT_EQ(id.ptr()[i], i % 5 == 0 ? 1.0f : 0.0f);
    }
    const mat4 move = mat4::translationMatrix(1, 2, 3);
    expectNear(move * vec3(0, 0, 0), 1, 2, 3, 0.0f);
    const vec4 direction = move * vec4(0, 0, 0, 0);
    EXPECT_EQ(direction.x + direction.y + direction.z + direction.w, 0.0f);

    const mat4 scale = mat4::scaleMatrix(2, 2, 2, 1);
    expectNear((scale * move) * vec3(1, 1, 1), 4, 6, 8);
    mat4 m = move * scale;
    m *= m; // aliasing must not corrupt the product
    expectNear(m * vec3(1, 1, 1), 7, 10, 13);
}

TEST(Mat, RotationFollowsRightHandRule)
{
    expectNear(mat4::rotationMatrix(vec3(0, 0, 1), 90) * vec3(1, 0, 0), 0, 1, 0);
    expectNear(mat4::rotationMatrix(vec3(1, 0, 0), 90) * vec3(0, 1, 0), 0, 0, 1);
    expectNear(mat4::rotationMatrix(vec3(0, 1, 0), 90) * vec3(0, 0, 1), 1, 0, 0);

    // The axis is normalised: its length does not matter, and it is left in place.
    const mat4 unit = mat4::rotationMatrix(normalize(vec3(1, 2, 3)), 37);
    const mat4 longAxis = mat4::rotationMatrix(vec3(10, 20, 30), 37);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(unit.ptr()[i], longAxis.ptr()[i], 1e-6f);
    expectNear(longAxis * vec3(1, 2, 3), 1, 2, 3);
}

TEST(Mat, PerspectiveMapsNearAndFarToDepthRange)
{
    const mat4 p = mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
    EXPECT_EQ(p[2][3], -1.0f);
    EXPECT_EQ(p[3][3], 0.0f);
    EXPECT_NEAR(depthAfterDivide(p, -0.1f), -1.0f, 1e-5f);
    EXPECT_NEAR(depthAfterDivide(p, -100.0f), 1.0f, 1e-5f);
    EXPECT_NEAR(p[1][1], 1.7320508f, 1e-6f); // cot 30 degrees: the angle is vertical
    EXPECT_NEAR(p[0][0], p[1][1] / 1.5f, 1e-6f);
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

TEST(Mat, NormalMatrixDropsTranslation)
{
    const mat4 m = mat4::translationMatrix(4, 5, 6) * mat4::rotationMatrix(vec3(0, 0, 1), 30);
    const mat3 n(m);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(n[c][r], m[c][r]);
    EXPECT_EQ(transpose(m)[0][3], 4.0f);
}

TEST(MathUtils, DegToRadClampRemap)
{
    const float factor = degToRad(1.0f);
    uint32_t bits;
    std::memcpy(&bits, &factor, sizeof bits);
    EXPECT_EQ(bits, 0x3C8EFA35u);

    EXPECT_EQ(clamp(5, 0, 1), 1.0f);
    EXPECT_EQ(clamp(-1, 0, 1), 0.0f);
    EXPECT_EQ(clamp(0.5f, 0, 1), 0.5f);
    EXPECT_EQ(clamp(0.5f, 2, 1), 2.0f); // lo wins when the bounds are crossed
    EXPECT_EQ(remap(5, 0, 10, 100, 200), 150.0f);
    EXPECT_EQ(remap(20, 0, 10, 100, 200), 300.0f);
}
