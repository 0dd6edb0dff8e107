#include "math/Random.h"

#include <cstdint>

namespace vell {

int randomSeedValue = 1;
int maxRandomSeedValue = 2147483647;

void randomSeed(int seed)
{
    randomSeedValue = seed;
}

int randomGen()
{
    // The product wraps like 32-bit signed arithmetic; unsigned keeps that defined.
    const int32_t product = (int32_t)((uint32_t)randomSeedValue * 16807u);
    randomSeedValue = product % maxRandomSeedValue;
    return randomSeedValue;
}

float randomFloat()
{
    return (float)randomGen() / (float)maxRandomSeedValue;
}

float randomFloat(float min, float max)
{
    return randomFloat() * (max - min) + min;
}

} // namespace vell
