#pragma once

#include <cstdint>

namespace resgen {

// Small deterministic generator (xorshift64*), identical on every run and platform.
class Rng {
public:
    explicit Rng(uint64_t seed);
    uint32_t next();
    // Uniform in [0, 1).
    float uniform();
    // Uniform in [lo, hi).
    float range(float lo, float hi);

private:
    uint64_t state;
};

// Tileable value noise with fractal sums; `period` is the tiling period in lattice cells.
class Noise {
public:
    explicit Noise(uint32_t seed);
    float value(float x, float y, int period) const;
    // Sum of octaves, each doubling frequency and halving amplitude; result roughly in 0..1.
    float fbm(float x, float y, int octaves, int period) const;

private:
    float lattice(int x, int y) const;
    uint32_t seed;
};

} // namespace resgen
