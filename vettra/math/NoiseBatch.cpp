#include "math/Noise.h"

#include "math/NoiseTable.h"

#include <cstring>

// Four lanes of the scalar 2D noise: every float operation is the scalar one,
// in the same order, so each lane rounds exactly as noise(x, y) does. Only the
// table look-ups go lane by lane.
namespace {

typedef float Floats __attribute__((vector_size(16)));
typedef int Ints __attribute__((vector_size(16)));
constexpr size_t lanes = 4;

using NoiseTable::cellLimit;
using NoiseTable::F2;
using NoiseTable::G2;
using NoiseTable::perm;

Floats splat(float v) { return Floats{v, v, v, v}; }

Floats select(Ints mask, Floats yes, Floats no) { return mask ? yes : no; }

Ints fastFloor(Floats v)
{
    v = select(v < cellLimit, v, splat(cellLimit));
    v = select(v > -cellLimit, v, splat(-cellLimit));
    // A comparison is -1 where true: v > 0 keeps the truncation, else one less.
    return __builtin_convertvector(v, Ints) - 1 - (v > 0.0f);
}

Floats toFloats(Ints v) { return __builtin_convertvector(v, Floats); }

Floats grad2(Ints hash, Floats x, Floats y)
{
    const Ints h = hash & 7;
    const Ints low = h < 4;
    const Floats u = select(low, x, y);
    const Floats v = select(low, y, x);
    return select((h & 1) != 0, -u, u) + select((h & 2) != 0, -2.0f * v, 2.0f * v);
}

Floats falloff(Floats t, Floats gradient)
{
    const Floats t2 = t * t;
    return select(t < 0.0f, splat(0.0f), t2 * t2 * gradient);
}

Floats noise2(Floats x, Floats y)
{
    const Floats s = (x + y) * F2;
    const Ints i = fastFloor(x + s);
    const Ints j = fastFloor(y + s);
    const Floats t = toFloats(i + j) * G2;
    const Floats x0 = x - (toFloats(i) - t);
    const Floats y0 = y - (toFloats(j) - t);

    const Ints lower = x0 > y0; // -1 where the middle corner is (1, 0)
    const Ints i1 = -lower;
    const Ints j1 = 1 + lower;

    const Floats x1 = x0 - toFloats(i1) + G2;
    const Floats y1 = y0 - toFloats(j1) + G2;
    const Floats x2 = x0 - 1.0f + 2.0f * G2;
    const Floats y2 = y0 - 1.0f + 2.0f * G2;

    const Ints ii = i & 255;
    const Ints jj = j & 255;
    Ints h0, h1, h2;
    for (size_t k = 0; k < lanes; ++k) {
        h0[k] = perm[ii[k] + perm[jj[k]]];
        h1[k] = perm[ii[k] + i1[k] + perm[jj[k] + j1[k]]];
        h2[k] = perm[ii[k] + 1 + perm[jj[k] + 1]];
    }

    const Floats n0 = falloff(0.5f - x0 * x0 - y0 * y0, grad2(h0, x0, y0));
    const Floats n1 = falloff(0.5f - x1 * x1 - y1 * y1, grad2(h1, x1, y1));
    const Floats n2 = falloff(0.5f - x2 * x2 - y2 * y2, grad2(h2, x2, y2));
    return 40.0f * (n0 + n1 + n2);
}

} // namespace

void noise(const float* x, const float* y, float* out, size_t count)
{
    size_t k = 0;
    for (; k + lanes <= count; k += lanes) {
        Floats vx, vy;
        std::memcpy(&vx, x + k, sizeof vx);
        std::memcpy(&vy, y + k, sizeof vy);
        const Floats n = noise2(vx, vy);
        std::memcpy(out + k, &n, sizeof n);
    }
    if (k == count)
        return;
    // The last few points, in lanes padded with zeros.
    Floats vx = splat(0.0f), vy = splat(0.0f);
    std::memcpy(&vx, x + k, (count - k) * sizeof(float));
    std::memcpy(&vy, y + k, (count - k) * sizeof(float));
    const Floats n = noise2(vx, vy);
    std::memcpy(out + k, &n, (count - k) * sizeof(float));
}
