#include "math/Noise.h"

#include <cmath>

namespace {

// The reference permutation of 0..255.
constexpr unsigned char permutation[256] = {
    151, 160, 137,  91,  90,  15, 131,  13, 201,  95,  96,  53, 194, 233,   7, 225,
    140,  36, 103,  30,  69, 142,   8,  99,  37, 240,  21,  10,  23, 190,   6, 148,
    247, 120, 234,  75,   0,  26, 197,  62,  94, 252, 219, 203, 117,  35,  11,  32,
     57, 177,  33,  88, 237, 149,  56,  87, 174,  20, 125, 136, 171, 168,  68, 175,
     74, 165,  71, 134, 139,  48,  27, 166,  77, 146, 158, 231,  83, 111, 229, 122,
     60, 211, 133, 230, 220, 105,  92,  41,  55,  46, 245,  40, 244, 102, 143,  54,
     65,  25,  63, 161,   1, 216,  80,  73, 209,  76, 132, 187, 208,  89,  18, 169,
    200, 196, 135, 130, 116, 188, 159,  86, 164, 100, 109, 198, 173, 186,   3,  64,
     52, 217, 226, 250, 124, 123,   5, 202,  38, 147, 118, 126, 255,  82,  85, 212,
    207, 206,  59, 227,  47,  16,  58,  17, 182, 189,  28,  42, 223, 183, 170, 213,
    119, 248, 152,   2,  44, 154, 163,  70, 221, 153, 101, 155, 167,  43, 172,   9,
    129,  22,  39, 253,  19,  98, 108, 110,  79, 113, 224, 232, 178, 185, 112, 104,
    218, 246,  97, 228, 251,  34, 242, 193, 238, 210, 144,  12, 191, 179, 162, 241,
     81,  51, 145, 235, 249,  14, 239, 107,  49, 192, 214,  31, 181, 199, 106, 157,
    184,  84, 204, 176, 115, 121,  50,  45, 127,   4, 150, 254, 138, 236, 205,  93,
    222, 114,  67,  29,  24,  72, 243, 141, 128, 195,  78,  66, 215,  61, 156, 180,
};

// The permutation twice in a row: an index up to 511 needs no wrap.
struct PermTable {
    unsigned char values[512];
    constexpr PermTable() : values()
    {
        for (int i = 0; i < 512; ++i)
            values[i] = permutation[i & 255];
    }
    constexpr int operator[](int i) const { return values[i]; }
};
constexpr PermTable perm;

// Lattice cell: (int)v rounded down, except that an integral v <= 0 gives v - 1.
// Magnitudes are capped at 2^28 so that no cell arithmetic below can overflow;
// beyond that float inputs lie far outside every simplex anyway.
int fastFloor(float v)
{
    const float limit = 268435456.0f;
    if (v > limit)
        v = limit;
    else if (v < -limit)
        v = -limit;
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
    const float F2 = 0.366025403f; // (sqrt(3) - 1) / 2
    const float G2 = 0.211324865f; // (3 - sqrt(3)) / 6

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
