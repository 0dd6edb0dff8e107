#include "Noise.h"

#include <cmath>

namespace resgen {

Rng::Rng(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
{
    if (state == 0)
        state = 1;
}

uint32_t Rng::next()
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return static_cast<uint32_t>((state * 0x2545F4914F6CDD1Dull) >> 32);
}

float Rng::uniform()
{
    return static_cast<float>(next() >> 8) / 16777216.0f;
}

float Rng::range(float lo, float hi)
{
    return lo + (hi - lo) * uniform();
}

Noise::Noise(uint32_t seedValue) : seed(seedValue)
{
}

float Noise::lattice(int x, int y) const
{
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 374761393u) ^ (static_cast<uint32_t>(y) * 668265263u);
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / 16777215.0f;
}

float Noise::value(float x, float y, int period) const
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    const float tx = x - fx;
    const float ty = y - fy;
    const float sx = tx * tx * (3 - 2 * tx);
    const float sy = ty * ty * (3 - 2 * ty);
    const float a = lattice(wrap(ix), wrap(iy));
    const float b = lattice(wrap(ix + 1), wrap(iy));
    const float c = lattice(wrap(ix), wrap(iy + 1));
    const float d = lattice(wrap(ix + 1), wrap(iy + 1));
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Noise::fbm(float x, float y, int octaves, int period) const
{
    float sum = 0;
    float amp = 0.5f;
    float norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += value(x, y, period) * amp;
        norm += amp;
        x *= 2;
        y *= 2;
        period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

} // namespace resgen
