#include "math/Noise.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

const float F2 = 0.366025403f;
const float G2 = 0.211324865f;

} // namespace

TEST(Noise, ZeroAtEveryLatticePoint)
{
    EXPECT_EQ(noise(0.0f), 0.0f);
    EXPECT_EQ(noise(1.0f), 0.0f);
    EXPECT_EQ(noise(-3.0f), 0.0f);
    EXPECT_EQ(noise(200000.0f), 0.0f);
    EXPECT_EQ(noise(-4e9f), 0.0f);

    // The simplex vertices of 2D and 3D noise are zeros as well.
    for (int i = -3; i <= 3; ++i)
        for (int j = -3; j <= 3; ++j) {
            const float t = (i + j) * G2;
            EXPECT_NEAR(noise(i - t, j - t), 0.0f, 1e-5f) << i << "," << j;
            for (int k = -2; k <= 2; ++k) {
                const float t3 = (i + j + k) / 6.0f;
                EXPECT_NEAR(noise(i - t3, j - t3, k - t3), 0.0f, 1e-5f);
            }
        }
}

TEST(Noise, BoundedAndNotFlat)
{
    float lo = 0.0f, hi = 0.0f;
    float lo3 = 0.0f, hi3 = 0.0f;
    float lo1 = 0.0f, hi1 = 0.0f;
    for (float x = -40.0f; x < 40.0f; x += 0.173f) {
        const float n1 = noise(x);
        lo1 = std::fmin(lo1, n1);
        hi1 = std::fmax(hi1, n1);
        for (float y = -40.0f; y < 40.0f; y += 0.191f) {
            const float n = noise(x, y);
            lo = std::fmin(lo, n);
            hi = std::fmax(hi, n);
            const float n3 = noise(x, y, x * 0.7f - y);
            lo3 = std::fmin(lo3, n3);
            hi3 = std::fmax(hi3, n3);
        }
    }
    for (float v : {lo, lo3, lo1})
        EXPECT_LT(v, -0.5f);
    for (float v : {hi, hi3, hi1})
        EXPECT_GT(v, 0.5f);
    for (float v : {lo, lo3, lo1})
        EXPECT_GE(v, -1.05f);
    for (float v : {hi, hi3, hi1})
        EXPECT_LE(v, 1.05f);
}

TEST(Noise, ContinuousAcrossCells)
{
    // A wrong corner choice or hash shows as a jump where the walk crosses a simplex edge.
    auto path2 = [](float s) { return noise(s, 4.3f - s * F2); };
    auto path3 = [](float s) { return noise(s, 4.3f - s * 0.5f, 1.1f + s * 0.8f); };
    const float step = 1e-3f;
    float prev1 = noise(-9.0f), prev2 = path2(-9.0f), prev3 = path3(-9.0f);
    for (float s = -9.0f + step; s < 9.0f; s += step) {
        const float n1 = noise(s), n2 = path2(s), n3 = path3(s);
        ASSERT_LT(std::fabs(n1 - prev1), 0.02f) << s;
        ASSERT_LT(std::fabs(n2 - prev2), 0.02f) << s;
        ASSERT_LT(std::fabs(n3 - prev3), 0.02f) << s;
        prev1 = n1;
        prev2 = n2;
        prev3 = n3;
    }
}

TEST(Noise, FiniteForHugeAndNegativeInputs)
{
    const float inputs[] = {-1e6f, -123456.78f, -3.5e7f, -2.2e9f, 3e9f, 1e30f, -FLT_MAX, FLT_MAX};
    for (float a : inputs)
        for (float b : inputs) {
            const float n2 = noise(a, b);
            const float n3 = noise(a, b, a * 0.5f);
            ASSERT_TRUE(std::isfinite(n2)) << a << "," << b;
            ASSERT_TRUE(std::isfinite(n3)) << a << "," << b;
            ASSERT_LE(std::fabs(n2), 1.05f);
            ASSERT_LE(std::fabs(n3), 1.05f);
        }
    for (float a : inputs)
        ASSERT_TRUE(std::isfinite(noise(a))) << a;
}
