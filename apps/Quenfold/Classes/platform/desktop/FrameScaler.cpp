#include "FrameScaler.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// n RGBA pixels as 0xFFRRGGBB, in the host's byte order.
void toPixels(const uint8_t* rgba, uint8_t* out, size_t n)
{
    for (size_t i = 0; i < n; ++i, rgba += 4) {
        const uint32_t pixel = 0xFF000000u | uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
        std::memcpy(out + 4 * i, &pixel, 4);
    }
}

// out[i] = a[i] + (b[i] - a[i]) * weight / 256, rounded: the sampler's 8-bit lerp.
// Every term fits 16 bits, so the compiler can work on 16-bit lanes.
void blend(const uint8_t* a, const uint8_t* b, int weight, uint8_t* out, size_t n)
{
    const uint16_t wb = static_cast<uint16_t>(weight), wa = static_cast<uint16_t>(256 - weight);
    for (size_t i = 0; i < n; ++i)
        out[i] = static_cast<uint8_t>(static_cast<uint16_t>(a[i] * wa + b[i] * wb + 128) >> 8);
}

// out[i] = (a[i] + 3 b[i] + 2) / 4, integer division: blend() at weight 192, in
// byte averages (a compiler makes each a single instruction on 16 bytes). The
// floored average t of a and b, averaged up with b, is exact: for an even a + b
// t is (a + b) / 2; for an odd one a + 3b + 2 is odd, so it does not matter
// that t drops a half.
void quarterBlend(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const uint8_t t = static_cast<uint8_t>(((a[i] + b[i] + 1) >> 1) - ((a[i] ^ b[i]) & 1));
        out[i] = static_cast<uint8_t>((t + b[i] + 1) >> 1);
    }
}

const uint8_t* bytes(const uint32_t* p) { return reinterpret_cast<const uint8_t*>(p); }
uint8_t* bytes(uint32_t* p) { return reinterpret_cast<uint8_t*>(p); }

} // namespace

std::vector<FrameScaler::Tap> FrameScaler::taps(int sourceSize, int size)
{
    // Texel centres at i + 0.5: pixel x samples texel coordinate (x + 0.5) * source / size - 0.5,
    // in 8-bit fixed point, its integer part floored.
    std::vector<Tap> t(static_cast<size_t>(size));
    for (int x = 0; x < size; ++x) {
        const long long numerator = (2LL * x + 1) * sourceSize * 128 - 128LL * size; // over size
        const long long fixed = numerator >= 0 ? numerator / size : -((-numerator + size - 1) / size);
        t[static_cast<size_t>(x)] = {static_cast<int>(fixed >> 8), static_cast<int>(fixed & 255)};
    }
    return t;
}

int FrameScaler::boxSide(int sourceWidth, int sourceHeight, int width, int height)
{
    const int common = std::gcd(sourceWidth, sourceHeight);
    for (int side = std::min(sourceWidth / width, sourceHeight / height); side > 1; --side)
        if (common % side == 0)
            return side;
    return 1;
}

void FrameScaler::layout(int sourceWidth, int sourceHeight, int width, int height)
{
    frameWidth = sourceWidth;
    frameHeight = sourceHeight;
    box = boxSide(sourceWidth, sourceHeight, width, height);
    inWidth = sourceWidth / box;
    inHeight = sourceHeight / box;
    outWidth = width;
    outHeight = height;
    columns = taps(inWidth, width);
    rows = taps(inHeight, height);
    for (std::vector<uint32_t>& row : scaled)
        row.assign(static_cast<size_t>(width), 0);
    source.resize(static_cast<size_t>(inWidth) * inHeight);
    sums.resize(static_cast<size_t>(inWidth) * 3);
    even.resize(static_cast<size_t>(inWidth));
    odd.resize(static_cast<size_t>(inWidth));
}

void FrameScaler::load(const uint8_t* frame)
{
    if (box == 1) {
        toPixels(frame, bytes(source.data()), source.size());
        return;
    }
    const uint32_t area = static_cast<uint32_t>(box * box);
    for (int y = 0; y < inHeight; ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int dy = 0; dy < box; ++dy) {
            const uint8_t* rgba = frame + (static_cast<size_t>(y) * box + dy) * frameWidth * 4;
            for (int x = 0; x < inWidth; ++x)
                for (int dx = 0; dx < box; ++dx, rgba += 4)
                    for (int c = 0; c < 3; ++c)
                        sums[static_cast<size_t>(x) * 3 + c] += rgba[c];
        }
        uint32_t* out = &source[static_cast<size_t>(y) * inWidth];
        for (int x = 0; x < inWidth; ++x) {
            const uint32_t* s = &sums[static_cast<size_t>(x) * 3];
            out[x] = 0xFF000000u | (s[0] + area / 2) / area << 16 | (s[1] + area / 2) / area << 8 |
                     (s[2] + area / 2) / area;
        }
    }
}

const uint8_t* FrameScaler::across(int y)
{
    std::vector<uint32_t>& out = scaled[y & 1];
    if (scaledRow[y & 1] == y)
        return bytes(out.data());
    scaledRow[y & 1] = y;
    const uint32_t* in = &source[static_cast<size_t>(y) * inWidth];
    if (outWidth == 2 * inWidth) {
        // Pixel 2i blends texels i - 1 and i by 192/256, pixel 2i + 1 texels i and i + 1 by 64/256;
        // past the edges the edge texel stands in.
        even[0] = in[0];
        quarterBlend(bytes(in), bytes(in + 1), bytes(even.data() + 1), static_cast<size_t>(inWidth - 1) * 4);
        quarterBlend(bytes(in + 1), bytes(in), bytes(odd.data()), static_cast<size_t>(inWidth - 1) * 4);
        odd[inWidth - 1] = in[inWidth - 1];
        for (int i = 0; i < inWidth; ++i) {
            out[2 * i] = even[i];
            out[2 * i + 1] = odd[i];
        }
        return bytes(out.data());
    }
    for (int x = 0; x < outWidth; ++x) {
        const Tap& t = columns[x];
        const int i0 = std::clamp(t.index, 0, inWidth - 1), i1 = std::clamp(t.index + 1, 0, inWidth - 1);
        blend(bytes(in + i0), bytes(in + i1), t.weight, bytes(&out[x]), 4);
    }
    return bytes(out.data());
}

void FrameScaler::scale(const uint8_t* frame, int sourceWidth, int sourceHeight, int width, int height,
                        uint8_t* dest, int pitch)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    if (sourceWidth != frameWidth || sourceHeight != frameHeight || width != outWidth || height != outHeight)
        layout(sourceWidth, sourceHeight, width, height);
    const bool ownSize = inWidth == width && inHeight == height;
    if (ownSize && box == 1) { // row by row as they are, top row first
        for (int y = 0; y < height; ++y)
            toPixels(frame + static_cast<size_t>(y) * width * 4, dest + static_cast<size_t>(height - 1 - y) * pitch,
                     static_cast<size_t>(width));
        return;
    }
    load(frame);
    if (ownSize) {
        for (int y = 0; y < height; ++y)
            std::memcpy(dest + static_cast<size_t>(height - 1 - y) * pitch, &source[static_cast<size_t>(y) * width],
                        static_cast<size_t>(width) * 4);
        return;
    }
    scaledRow[0] = scaledRow[1] = -1;
    for (int y = 0; y < height; ++y) {
        const Tap& t = rows[y];
        const int y0 = std::clamp(t.index, 0, inHeight - 1), y1 = std::clamp(t.index + 1, 0, inHeight - 1);
        const uint8_t* below = across(y0);
        const uint8_t* above = across(y1);
        // Row y counts from the bottom; the picture's rows go top first.
        uint8_t* out = dest + static_cast<size_t>(height - 1 - y) * pitch;
        if (t.weight == 192)
            quarterBlend(below, above, out, static_cast<size_t>(width) * 4);
        else if (t.weight == 64)
            quarterBlend(above, below, out, static_cast<size_t>(width) * 4);
        else
            blend(below, above, t.weight, out, static_cast<size_t>(width) * 4);
    }
}
