#include "math/MathUtils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace vell;

TEST(MathUtils, DegToRadUsesSinglePrecisionFactor)
{
    const float factor = degToRad(1.0f);
    uint32_t bits;
    std::memcpy(&bits, &factor, sizeof bits);
    EXPECT_EQ(bits, 0x3C8EFA35u);
    EXPECT_EQ(degToRad(180.0f), 180.0f * factor);
}

TEST(MathUtils, ClampAndRemap)
{
    EXPECT_EQ(clamp(5, 0, 1), 1.0f);
    EXPECT_EQ(clamp(-1, 0, 1), 0.0f);
    EXPECT_EQ(clamp(0.5f, 0, 1), 0.5f);
    EXPECT_EQ(clamp(0.5f, 2, 1), 2.0f); // lo wins when the bounds are crossed
    EXPECT_EQ(remap(5, 0, 10, 100, 200), 150.0f);
    EXPECT_EQ(remap(20, 0, 10, 100, 200), 300.0f);
}

TEST(MathUtils, MixHitsEndpoints)
{
    EXPECT_EQ(mix(3.0f, 7.0f, 0.0f), 3.0f);
    EXPECT_EQ(mix(3.0f, 7.0f, 1.0f), 7.0f);
    EXPECT_EQ(mix(3.0f, 7.0f, 0.25f), 4.0f);
    const vec3 v = mix(vec3(0, 2, 4), vec3(4, 2, 0), 0.75f);
    EXPECT_EQ(v.x, 3.0f);
    EXPECT_EQ(v.y, 2.0f);
    EXPECT_EQ(v.z, 1.0f);
}
