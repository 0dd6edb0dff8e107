#include "math/Noise.h"

#include "math/NoiseTable.h"

#include <cstring>

// Lanes of the scalar 2D noise, four or (where the processor has AVX2) eight at
// a time: every float operation is the scalar one, in the same order, so each
// lane rounds exactly as noise(x, y) does (a sign flipped by a bit is the scalar
// negation). Only the table look-ups go lane by lane.
namespace {

using NoiseTable::cellLimit;
using NoiseTable::F2;
using NoiseTable::G2;
using NoiseTable::perm;

// perm[a + perm[b]] & 7 for a, b in 0 .. 256: a corner's gradient in one look-up.
struct CornerTable {
    static constexpr int side = 257;
    unsigned char values[side * side];
    CornerTable()
    {
        for (int b = 0; b < side; ++b)
            for (int a = 0; a < side; ++a)
                values[b * side + a] = static_cast<unsigned char>(perm[a + perm[b]] & 7);
    }
};

template <int Bytes>
struct Vectors;

template <>
struct Vectors<16> {
    typedef float Floats __attribute__((vector_size(16)));
    typedef int Ints __attribute__((vector_size(16)));
    typedef unsigned Unsigned __attribute__((vector_size(16)));
};

template <>
struct Vectors<32> {
    typedef float Floats __attribute__((vector_size(32)));
    typedef int Ints __attribute__((vector_size(32)));
    typedef unsigned Unsigned __attribute__((vector_size(32)));
};

// The noise of Bytes / 4 lanes. Everything is inlined into run() and run() into
// its caller, built for the instructions it may use: no vector is passed in a
// call, so no calling convention for wide vectors (what -Wpsabi warns of) applies.
#pragma GCC diagnostic ignored "-Wpsabi"
template <int Bytes>
struct Kernel {
    typedef typename Vectors<Bytes>::Floats Floats;
    typedef typename Vectors<Bytes>::Ints Ints;
    typedef typename Vectors<Bytes>::Unsigned Unsigned;
    static constexpr int lanes = Bytes / 4;

    [[gnu::always_inline]] static Floats splat(float v)
    {
        Floats r;
        for (int k = 0; k < lanes; ++k)
            r[k] = v;
        return r;
    }
    [[gnu::always_inline]] static Ints bits(Floats v) { return (Ints)v; }
    [[gnu::always_inline]] static Floats floats(Ints v) { return (Floats)v; }
    // The lowest bit of each lane moved to the sign bit.
    [[gnu::always_inline]] static Ints signOf(Ints v) { return (Ints)((Unsigned)v << 31); }
    [[gnu::always_inline]] static Floats select(Ints mask, Floats yes, Floats no)
    {
        return floats((mask & bits(yes)) | (~mask & bits(no)));
    }
    [[gnu::always_inline]] static Floats toFloats(Ints v) { return __builtin_convertvector(v, Floats); }

    [[gnu::always_inline]] static Ints fastFloor(Floats v)
    {
        v = select(v < cellLimit, v, splat(cellLimit));
        v = select(v > -cellLimit, v, splat(-cellLimit));
        // A comparison is -1 where true: v <= 0 takes one off the truncation.
        return __builtin_convertvector(v, Ints) + (v <= 0.0f);
    }

    // h in 0..7: h < 4 takes (x, y) as (u, v), else (y, x); bit 0 negates u, bit 1 the doubled v.
    [[gnu::always_inline]] static Floats grad2(Ints h, Floats x, Floats y)
    {
        const Ints swap = bits(x) ^ bits(y);
        const Ints u = bits(y) ^ (swap & ((h & 4) == 0));
        const Floats twoV = 2.0f * floats(u ^ swap);
        return floats(u ^ signOf(h)) + floats(bits(twoV) ^ signOf(h >> 1));
    }

    [[gnu::always_inline]] static Floats falloff(Floats t, Floats gradient)
    {
        const Floats t2 = t * t;
        return floats(~(t < 0.0f) & bits(t2 * t2 * gradient));
    }

    [[gnu::always_inline]] static Floats noise2(const CornerTable& table, Floats x, Floats y)
    {
        const Floats s = (x + y) * F2;
        const Ints i = fastFloor(x + s);
        const Ints j = fastFloor(y + s);
        const Floats t = toFloats(i + j) * G2;
        const Floats x0 = x - (toFloats(i) - t);
        const Floats y0 = y - (toFloats(j) - t);

        // The middle corner is (1, 0) where x0 > y0, else (0, 1).
        const Ints lower = x0 > y0;
        const Ints one = bits(splat(1.0f));
        const Floats x1 = x0 - floats(lower & one) + G2;
        const Floats y1 = y0 - floats(~lower & one) + G2;
        const Floats x2 = x0 - 1.0f + 2.0f * G2;
        const Floats y2 = y0 - 1.0f + 2.0f * G2;

        // Table indices of the three corners, then their gradients lane by lane.
        const Ints ii = i & 255;
        const Ints jj = j & 255;
        Ints corner[3];
        corner[0] = (jj << 8) + jj + ii;
        corner[1] = corner[0] + CornerTable::side + (lower & (1 - CornerTable::side));
        corner[2] = corner[0] + CornerTable::side + 1;
        int index[3][lanes];
        int gradient[3][lanes];
        std::memcpy(index, corner, sizeof index);
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < lanes; ++k)
                gradient[c][k] = table.values[index[c][k]];
        Ints h[3];
        std::memcpy(h, gradient, sizeof h);

        const Floats n0 = falloff(0.5f - x0 * x0 - y0 * y0, grad2(h[0], x0, y0));
        const Floats n1 = falloff(0.5f - x1 * x1 - y1 * y1, grad2(h[1], x1, y1));
        const Floats n2 = falloff(0.5f - x2 * x2 - y2 * y2, grad2(h[2], x2, y2));
        return 40.0f * (n0 + n1 + n2);
    }

    [[gnu::always_inline]] static void run(const CornerTable& table, const float* x, const float* y, float* out,
                                           size_t count)
    {
        size_t k = 0;
        for (; k + lanes <= count; k += lanes) {
            Floats vx, vy;
            std::memcpy(&vx, x + k, sizeof vx);
            std::memcpy(&vy, y + k, sizeof vy);
            const Floats n = noise2(table, vx, vy);
            std::memcpy(out + k, &n, sizeof n);
        }
        if (k == count)
            return;
        // The last few points, in lanes padded with zeros.
        Floats vx = splat(0.0f), vy = splat(0.0f);
        std::memcpy(&vx, x + k, (count - k) * sizeof(float));
        std::memcpy(&vy, y + k, (count - k) * sizeof(float));
        const Floats n = noise2(table, vx, vy);
        std::memcpy(out + k, &n, (count - k) * sizeof(float));
    }
};

const CornerTable& cornerTable()
{
    static const CornerTable table;
    return table;
}

void narrow(const CornerTable& table, const float* x, const float* y, float* out, size_t count)
{
    Kernel<16>::run(table, x, y, out, count);
}

#if defined(__x86_64__) || defined(__i386__)
// Without fused multiply-adds: AVX2 alone, as the file is built.
[[gnu::target("avx2")]] void wide(const CornerTable& table, const float* x, const float* y, float* out,
                                  size_t count)
{
    Kernel<32>::run(table, x, y, out, count);
}

bool hasWideLanes()
{
    static const bool avx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return avx2;
}
#else
void wide(const CornerTable& table, const float* x, const float* y, float* out, size_t count)
{
    narrow(table, x, y, out, count);
}

bool hasWideLanes() { return false; }
#endif

} // namespace

void noise(const float* x, const float* y, float* out, size_t count)
{
    if (hasWideLanes())
        wide(cornerTable(), x, y, out, count);
    else
        narrow(cornerTable(), x, y, out, count);
}

void NoiseTable::noiseFourLanes(const float* x, const float* y, float* out, size_t count)
{
    narrow(cornerTable(), x, y, out, count);
}
