#include "FrameScaler.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// Blocks of at most 16 x 16 texels: their sums, times their area, stay under 2^32.
constexpr int kMostBoxSide = 16;

uint32_t toPixel(const uint8_t* rgba)
{
    return 0xFF000000u | uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
}

// n RGBA pixels as 0xFFRRGGBB, in the host's byte order.
void toPixels(const uint8_t* rgba, uint8_t* out, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const uint32_t pixel = toPixel(rgba + 4 * i);
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

// blend() on the four bytes of two pixels at once, two bytes a 32-bit lane
// apart: each lane's sum stays under 2^16.
uint32_t lerp(uint32_t a, uint32_t b, uint32_t weight)
{
    const uint32_t wa = 256 - weight;
    const uint32_t low = (a & 0x00FF00FFu) * wa + (b & 0x00FF00FFu) * weight + 0x00800080u;
    const uint32_t high = (a >> 8 & 0x00FF00FFu) * wa + (b >> 8 & 0x00FF00FFu) * weight + 0x00800080u;
    return (low >> 8 & 0x00FF00FFu) | (high & 0xFF00FF00u);
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
        const int first = static_cast<int>(fixed >> 8);
        t[static_cast<size_t>(x)] = {std::clamp(first, 0, sourceSize - 1), std::clamp(first + 1, 0, sourceSize - 1),
                                     static_cast<int>(fixed & 255)};
    }
    return t;
}

int FrameScaler::boxSide(int sourceWidth, int sourceHeight, int width, int height)
{
    if (sourceWidth <= 2 * width && sourceHeight <= 2 * height)
        return 1; // down to half size the bilinear filter takes in every texel
    const int common = std::gcd(sourceWidth, sourceHeight);
    for (int side = std::min({sourceWidth / width, sourceHeight / height, kMostBoxSide}); side > 1; --side)
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
    const size_t texels = static_cast<size_t>(inWidth) * inHeight;
    if (source.size() != texels)
        source = std::vector<uint32_t>(texels); // a smaller frame gives back what a larger one held
    sums.resize(static_cast<size_t>(sourceWidth) * 4);
    even.resize(static_cast<size_t>(inWidth));
    odd.resize(static_cast<size_t>(inWidth));
}

void FrameScaler::load(const uint8_t* frame)
{
    if (box == 1) {
        for (size_t i = 0; i < source.size(); ++i)
            source[i] = toPixel(frame + 4 * i);
        return;
    }
    // n / area, rounded, as a multiplication: exact for n * area under 2^32.
    const uint32_t area = static_cast<uint32_t>(box * box);
    const uint64_t reciprocal = ((uint64_t{1} << 32) + area - 1) / area;
    const auto mean = [&](uint32_t n) { return static_cast<uint32_t>(((n + area / 2) * reciprocal) >> 32); };
    for (int y = 0; y < inHeight; ++y) {
        // Down each column of the block's rows first, then across each block.
        std::fill(sums.begin(), sums.end(), 0u);
        for (int dy = 0; dy < box; ++dy) {
            const uint8_t* rgba = frame + (static_cast<size_t>(y) * box + dy) * frameWidth * 4;
            for (size_t i = 0; i < sums.size(); ++i)
                sums[i] += rgba[i];
        }
        const uint32_t* column = sums.data();
        uint32_t* out = &source[static_cast<size_t>(y) * inWidth];
        for (int x = 0; x < inWidth; ++x) {
            uint32_t r = 0, g = 0, b = 0;
            for (int dx = 0; dx < box; ++dx, column += 4) {
                r += column[0];
                g += column[1];
                b += column[2];
            }
            out[x] = 0xFF000000u | mean(r) << 16 | mean(g) << 8 | mean(b);
        }
    }
}

const uint8_t* FrameScaler::across(int y)
{
    std::vector<uint32_t>& out = scaled[y & 1];
    if (scaledRow[y & 1] == y)
        return bytes(out.data());
    scaledRow[y & 1] = y;
    const int n = inWidth; // a local: writes through out might otherwise change it
    const uint32_t* in = &source[static_cast<size_t>(y) * n];
    if (outWidth == 2 * n) {
        // Pixel 2i blends texels i - 1 and i by 192/256, pixel 2i + 1 texels i and i + 1 by 64/256;
        // past the edges the edge texel stands in.
        even[0] = in[0];
        quarterBlend(bytes(in), bytes(in + 1), bytes(even.data() + 1), static_cast<size_t>(n - 1) * 4);
        quarterBlend(bytes(in + 1), bytes(in), bytes(odd.data()), static_cast<size_t>(n - 1) * 4);
        odd[n - 1] = in[n - 1];
        for (int i = 0; i < n; ++i) {
            out[2 * i] = even[i];
            out[2 * i + 1] = odd[i];
        }
        return bytes(out.data());
    }
    for (int x = 0, width = outWidth; x < width; ++x) {
        const Tap& t = columns[x];
        out[x] = lerp(in[t.first], in[t.second], static_cast<uint32_t>(t.weight));
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
        const uint8_t* below = across(t.first);
        const uint8_t* above = across(t.second);
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
