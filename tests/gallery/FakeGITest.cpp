#include "gallery/FakeGI.h"
#include "math/Mat.h"
#include "math/Random.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vell;

// Seed 12345678, six draws per cube; randomFloat(-1, 1) lies in (-3, 1).
TEST(FakeGILayout, SameEveryFrameWithAxesInTheFloorPlane)
{
    mat4 first[FakeGI::cubeCount], second[FakeGI::cubeCount];
    FakeGI::cubeLayout(first);
    randomGen();
    FakeGI::cubeLayout(second);
    for (int i = 0; i < FakeGI::cubeCount; ++i) {
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                ASSERT_EQ(first[i][c][r], second[i][c][r]) << i;
        const mat4& m = first[i];
        // Rotation axis ~ (m12 - m21, m20 - m02, m01 - m10) in column-row terms; y must vanish.
        const vec3 axis(m[1][2] - m[2][1], m[2][0] - m[0][2], m[0][1] - m[1][0]);
        EXPECT_NEAR(axis.y, 0.0f, 1e-5f) << i;
        EXPECT_NEAR(m[0][0] + m[1][1] + m[2][2], 1 + 2 * std::cos(78 * M_PI / 180), 1e-5) << i;
        EXPECT_EQ(m[3][3], 1.0f);
    }
    EXPECT_NEAR(first[0][3][0], 0.170569f, 1e-5f);
    EXPECT_NEAR(first[0][3][1], -1.852912f, 1e-5f);
    EXPECT_NEAR(first[0][3][2], -1.689123f, 1e-5f);
    EXPECT_NEAR(first[1][3][0], -2.001078f, 1e-5f);
    // Cube 0 turns about (-5.5162, 0, -2.0086): that direction stays put.
    const vec3 axis = normalize(vec3(-5.516194f, 0, -2.008602f));
    const vec3 turned = first[0] * axis - first[0] * vec3(0, 0, 0);
    EXPECT_NEAR(turned.x, axis.x, 1e-5f);
    EXPECT_NEAR(turned.z, axis.z, 1e-5f);
}

