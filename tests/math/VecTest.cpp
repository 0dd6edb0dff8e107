#include "math/Vec.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vell;

TEST(Vec, PackedAndZeroByDefault)
{
    const vec3 points[2] = {vec3(1, 2, 3), vec3()};
    const float* floats = &points[0].x;
    EXPECT_EQ(floats[2], 3.0f);
    EXPECT_EQ(floats[3], 0.0f);
    EXPECT_EQ(floats[5], 0.0f);
    vec4 v(1, 2, 3, 4);
    v[3] = 7.0f;
    EXPECT_EQ(v.w, 7.0f);
    EXPECT_EQ(vec2(5, 6)[1], 6.0f);
}

TEST(Vec, NormalizeOfZeroIsZeroNotNaN)
{
    const vec3 n = normalize(vec3(0, 0, 0));
    EXPECT_EQ(n.x, 0.0f);
    EXPECT_EQ(n.y, 0.0f);
    EXPECT_EQ(n.z, 0.0f);

    const vec3 u = normalize(vec3(0, -3, 4));
    EXPECT_FLOAT_EQ(u.y, -0.6f);
    EXPECT_FLOAT_EQ(u.z, 0.8f);
    EXPECT_FLOAT_EQ(length(u), 1.0f);

    // Far below the smallest normal float the length is still non-zero.
    const vec3 tiny = normalize(vec3(1e-30f, 0, 0));
    EXPECT_FALSE(std::isnan(tiny.x));
}

TEST(Vec, CrossIsRightHandedAndProductIsComponentWise)
{
    const vec3 z = cross(vec3(1, 0, 0), vec3(0, 1, 0));
    EXPECT_EQ(z.z, 1.0f);
    const vec3 minusZ = cross(vec3(0, 1, 0), vec3(1, 0, 0));
    EXPECT_EQ(minusZ.z, -1.0f);

    const vec3 p = vec3(1, 2, 3) * vec3(4, 5, 6);
    EXPECT_EQ(p.x, 4.0f);
    EXPECT_EQ(p.y, 10.0f);
    EXPECT_EQ(p.z, 18.0f);
    EXPECT_EQ(dot(vec3(1, 2, 3), vec3(4, 5, 6)), 32.0f);
    EXPECT_EQ(length(vec2(3, 4)), 5.0f);
}

TEST(Vec, CompoundOperatorsWorkInPlace)
{
    vec3 v(1, 2, 3);
    (v += vec3(1, 1, 1)) *= 2.0f;
    v -= vec3(4, 0, 0);
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_EQ(v.y, 6.0f);
    EXPECT_EQ(v.z, 8.0f);
    const vec3 d = -v / 2.0f;
    EXPECT_EQ(d.y, -3.0f);
    EXPECT_EQ(d.z, -4.0f);
}
