#include "math/Noise.h"
#include "math/NoiseTable.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

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

// Values worked out from the algorithm with the reference permutation. For
// noise(0.5): corners 0 and 1 hash to 151 and 160, so gradients 8 and 1 give
// 0.25 * (0.75^4 * 8 * 0.5 + 0.75^4 * 1 * -0.5) = 0.2768555.
TEST(Noise, MatchesHandWorkedValues)
{
    EXPECT_NEAR(noise(0.5f), 0.2768555f, 1e-6f);
    EXPECT_NEAR(noise(1.5f), 0.1186523f, 1e-6f);
    EXPECT_NEAR(noise(-2.3f), 0.1861215f, 1e-5f);

    EXPECT_NEAR(noise(0.3f, 0.6f), -0.3523131f, 1e-5f);   // upper triangle of the cell
    EXPECT_NEAR(noise(0.7f, 0.2f), -0.0920517f, 1e-5f);   // lower triangle
    EXPECT_NEAR(noise(-1.6f, 2.45f), -0.3878409f, 1e-5f); // negative cell

    EXPECT_NEAR(noise(0.1f, 0.2f, 0.3f), 0.7837173f, 1e-5f);      // x0 < y0 < z0
    EXPECT_NEAR(noise(0.6f, 0.2f, 0.1f), 0.0837821f, 1e-5f);      // x0 >= y0 >= z0
    EXPECT_NEAR(noise(-1.25f, 3.5f, 0.75f), 0.3594125f, 1e-5f);
    EXPECT_NEAR(noise(2.2f, -0.4f, 5.9f), 0.2611416f, 1e-5f);
}

TEST(Noise, BoundedAndNotFlat)
{
    // Lowest and highest value of 1D, 2D and 3D noise over a grid.
    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (float x = -40.0f; x < 40.0f; x += 0.173f)
        for (float y = -40.0f; y < 40.0f; y += 0.191f) {
            const float n[3] = {noise(x + y), noise(x, y), noise(x, y, x * 0.7f - y)};
            for (int d = 0; d < 3; ++d) {
                lo[d] = std::fmin(lo[d], n[d]);
                hi[d] = std::fmax(hi[d], n[d]);
            }
        }
    for (int d = 0; d < 3; ++d) {
        EXPECT_LT(lo[d], -0.5f) << d + 1 << "D";
        EXPECT_GT(hi[d], 0.5f) << d + 1 << "D";
        EXPECT_GE(lo[d], -1.05f) << d + 1 << "D";
        EXPECT_LE(hi[d], 1.05f) << d + 1 << "D";
    }
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

// The batch (eight lanes where the processor has AVX2, four elsewhere) must
// round exactly as the scalar noise, lane by lane: a grid
// across many cells (diagonals, where x0 == y0, included), lattice points,
// capped and infinite coordinates; every count leaves a different tail.
TEST(Noise, BatchEqualsScalarBitForBit)
{
    std::vector<float> x, y;
    for (float a = -13.0f; a < 13.0f; a += 0.37f)
        for (float b = -13.0f; b < 13.0f; b += 0.41f) {
            x.push_back(a);
            y.push_back(b);
            x.push_back(a); // on the cell's diagonal
            y.push_back(a);
        }
    const float edges[] = {0.0f, -0.0f, 1.0f, -3.0f, 0.5f, 255.5f, 256.0f, -256.25f, 1e6f, -3.5e7f,
                           3e9f, -FLT_MAX, FLT_MAX, INFINITY, -INFINITY, 1e-30f};
    for (float a : edges)
        for (float b : edges) {
            x.push_back(a);
            y.push_back(b);
        }
    using Batch = void (*)(const float*, const float*, float*, size_t);
    for (const Batch batch : {static_cast<Batch>(noise), NoiseTable::noiseFourLanes}) {
        for (size_t count : {x.size(), x.size() - 1, x.size() - 3, x.size() - 5, x.size() - 7, size_t(0)}) {
            std::vector<float> out(count + 1, 7.0f);
            batch(x.data(), y.data(), out.data(), count);
            for (size_t k = 0; k < count; ++k) {
                const float reference = noise(x[k], y[k]);
                uint32_t got, want;
                std::memcpy(&got, &out[k], 4);
                std::memcpy(&want, &reference, 4);
                ASSERT_EQ(got, want) << "noise(" << x[k] << ", " << y[k] << ") = " << reference << ", batch "
                                     << out[k];
            }
            EXPECT_EQ(out[count], 7.0f) << "nothing written past the count";
        }

        // A NaN coordinate gives NaN in both, and its lane leaves the others alone.
        const float nx[] = {NAN, 0.3f, 0.7f, -1.6f, NAN};
        const float ny[] = {0.5f, 0.6f, NAN, 2.45f, NAN};
        float nout[5];
        batch(nx, ny, nout, 5);
        for (int k = 0; k < 5; ++k) {
            const float reference = noise(nx[k], ny[k]);
            if (std::isnan(reference))
                EXPECT_TRUE(std::isnan(nout[k])) << k;
            else
                EXPECT_EQ(nout[k], reference) << k;
        }
        EXPECT_NEAR(nout[1], -0.3523131f, 1e-5f);
    }
}
