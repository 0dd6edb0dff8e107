#pragma once

namespace vell {

// Process-wide generator state. Effects reseed right before they draw numbers,
// so their scenes come out the same on every run.
extern int randomSeedValue;
extern int maxRandomSeedValue;

void randomSeed(int seed);
// state = (state x 16807, wrapping in 32 bits) % (2^31 - 1); states can be negative.
int randomGen();
// In (-1, 1).
float randomFloat();
// randomFloat() x (max - min) + min, so in (2 min - max, max).
float randomFloat(float min, float max);

} // namespace vell
