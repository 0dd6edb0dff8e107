#include "math/Random.h"

#include <gtest/gtest.h>

using namespace vell;

TEST(Random, SequenceWrapsIn32Bits)
{
    randomSeed(1);
    const int expected[] = {16807,      282475249, 1622647863, -1199696159,
                            1578110407, 1878557649, 613813847, -142118463};
    for (int value : expected)
        EXPECT_EQ(randomGen(), value);
    EXPECT_EQ(randomSeedValue, -142118463);
    EXPECT_EQ(maxRandomSeedValue, 2147483647);
}

TEST(Random, ReseedingRepeatsTheScene)
{
    randomSeed(12345);
    const float a = randomFloat();
    const int b = randomGen();
    randomSeed(12345);
    EXPECT_EQ(randomFloat(), a);
    EXPECT_EQ(randomGen(), b);

    randomSeed(0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(randomGen(), 0);
}

TEST(Random, FloatsCanGoNegative)
{
    randomSeed(1);
    EXPECT_NEAR(randomFloat(), 7.8264e-6f, 1e-9f);

    randomSeed(1622647863); // the next state is -1199696159
    const float r = randomFloat(10.0f, 20.0f);
    EXPECT_NEAR(r, 10.0f + 10.0f * (-1199696159.0f / 2147483647.0f), 1e-4f);
    EXPECT_LT(r, 10.0f);

    randomSeed(453453);
    for (int i = 0; i < 10000; ++i) {
        const float f = randomFloat();
        ASSERT_GT(f, -1.0f);
        ASSERT_LT(f, 1.0f);
    }
}
