#include "math/Noise.h"

#include "math/NoiseTable.h"

#include <cmath>

namespace {

using NoiseTable::cellLimit;
using NoiseTable::perm;

// Lattice cell: (int)v rounded down, except that an integral v <= 0 gives v - 1.
// Magnitudes are capped (a NaN counts as too large: its noise is NaN anyway).
int fastFloor(float v)
{
    if (!(v < cellLimit))
        v = cellLimit;
    else if (!(v > -cellLimit))
        v = -cellLimit;
    return v > 0 ? (int)v : (int)v - 1;
}

float grad1(int hash, float x)
{
    float g = 1.0f + (hash & 7);
    if (hash & 8)
        g = -g;
    return g * x;
}

float grad2(int hash, float x, float y)
{
    const int h = hash & 7;
    const float u = h < 4 ? x : y;
    const float v = h < 4 ? y : x;
    return ((h & 1) ? -u : u) + ((h & 2) ? -2.0f * v : 2.0f * v);
}

float grad3(int hash, float x, float y, float z)
{
    const int h = hash & 15;
    const float u = h < 8 ? x : y;
    const float v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

// t^4 x gradient, nothing once the corner is out of reach.
float falloff(float t, float gradient)
{
    if (t < 0.0f)
        return 0.0f;
    t *= t;
    return t * t * gradient;
}

float _slang_library_noise1(float x)
{
    // Every float this large is an integer, where the noise is zero.
    if (!(fabsf(x) < 16777216.0f))
        return 0.0f;
    const int i0 = fastFloor(x);
    const int i1 = i0 + 1;
    const float x0 = x - i0;
    const float x1 = x0 - 1.0f;

    float t0 = 1.0f - x0 * x0;
    t0 *= t0;
    const float n0 = t0 * t0 * grad1(perm[i0 & 255], x0);
    float t1 = 1.0f - x1 * x1;
    t1 *= t1;
    const float n1 = t1 * t1 * grad1(perm[i1 & 255], x1);
    return 0.25f * (n0 + n1);
}

float _slang_library_noise2(float x, float y)
{
    using NoiseTable::F2;
    using NoiseTable::G2;

    const float s = (x + y) * F2;
    const int i = fastFloor(x + s);
    const int j = fastFloor(y + s);
    const float t = (float)(i + j) * G2;
    const float x0 = x - (i - t);
    const float y0 = y - (j - t);

    const int i1 = x0 > y0 ? 1 : 0;
    const int j1 = x0 > y0 ? 0 : 1;

    const float x1 = x0 - i1 + G2;
    const float y1 = y0 - j1 + G2;
    const float x2 = x0 - 1.0f + 2.0f * G2;
    const float y2 = y0 - 1.0f + 2.0f * G2;

    const int ii = i & 255;
    const int jj = j & 255;

    const float n0 = falloff(0.5f - x0 * x0 - y0 * y0, grad2(perm[ii + perm[jj]], x0, y0));
    const float n1 =
        falloff(0.5f - x1 * x1 - y1 * y1, grad2(perm[ii + i1 + perm[jj + j1]], x1, y1));
    const float n2 =
        falloff(0.5f - x2 * x2 - y2 * y2, grad2(perm[ii + 1 + perm[jj + 1]], x2, y2));
    return 40.0f * (n0 + n1 + n2);
}

float _slang_library_noise3(float x, float y, float z)
{
    const float F3 = 0.333333333f;
    const float G3 = 0.166666667f;

    const float s = (x + y + z) * F3;
    const int i = fastFloor(x + s);
    const int j = fastFloor(y + s);
    const int k = fastFloor(z + s);
    const float t = (float)(i + j + k) * G3;
    const float x0 = x - (i - t);
    const float y0 = y - (j - t);
    const float z0 = z - (k - t);

    // Offsets of the second and third corner, by the order of x0, y0, z0.
    int i1, j1, k1, i2, j2, k2;
    if (x0 >= y0) {
        if (y0 >= z0) {
            i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 1; k2 = 0;
        } else if (x0 >= z0) {
            i1 = 1; j1 = 0; k1 = 0; i2 = 1; j2 = 0; k2 = 1;
        } else {
            i1 = 0; j1 = 0; k1 = 1; i2 = 1; j2 = 0; k2 = 1;
        }
    } else {
        if (y0 < z0) {
            i1 = 0; j1 = 0; k1 = 1; i2 = 0; j2 = 1; k2 = 1;
        } else if (x0 < z0) {
            i1 = 0; j1 = 1; k1 = 0; i2 = 0; j2 = 1; k2 = 1;
        } else {
            i1 = 0; j1 = 1; k1 = 0; i2 = 1; j2 = 1; k2 = 0;
        }
    }

    const float x1 = x0 - i1 + G3;
    const float y1 = y0 - j1 + G3;
    const float z1 = z0 - k1 + G3;
    const float x2 = x0 - i2 + 2.0f * G3;
    const float y2 = y0 - j2 + 2.0f * G3;
    const float z2 = z0 - k2 + 2.0f * G3;
    const float x3 = x0 - 1.0f + 3.0f * G3;
    const float y3 = y0 - 1.0f + 3.0f * G3;
    const float z3 = z0 - 1.0f + 3.0f * G3;

    const int ii = i & 255;
    const int jj = j & 255;
    const int kk = k & 255;
    auto hash = [&](int o1, int o2, int o3) { return perm[ii + o1 + perm[jj + o2 + perm[kk + o3]]]; };

    const float n0 =
        falloff(0.6f - x0 * x0 - y0 * y0 - z0 * z0, grad3(hash(0, 0, 0), x0, y0, z0));
    const float n1 =
        falloff(0.6f - x1 * x1 - y1 * y1 - z1 * z1, grad3(hash(i1, j1, k1), x1, y1, z1));
    const float n2 =
        falloff(0.6f - x2 * x2 - y2 * y2 - z2 * z2, grad3(hash(i2, j2, k2), x2, y2, z2));
    const float n3 =
        falloff(0.6f - x3 * x3 - y3 * y3 - z3 * z3, grad3(hash(1, 1, 1), x3, y3, z3));
    return 32.0f * (n0 + n1 + n2 + n3);
}

} // namespace

float noise(float x)
{
    return _slang_library_noise1(x);
}

float noise(float x, float y)
{
    return _slang_library_noise2(x, y);
}

float noise(float x, float y, float z)
{
    return _slang_library_noise3(x, y, z);
}
