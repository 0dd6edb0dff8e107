#pragma once

#include <cstdint>
#include <vector>

// Scales the 480x320 frame on the CPU, with the filter the GL sampler applies
// to a linearly filtered RGBA8 texture drawn over the same rect: across, then
// down, each pass a + ((b - a) weighted by an 8-bit fraction), rounded to 8 bits.
// At twice the frame's size in both directions this is pixel for pixel what
// the GL draws; there every pass is (a + 3b + 2) / 4, integer division.
class FrameScaler {
public:
    // frame: 480x320 RGBA, bottom row first (as glReadPixels returns it).
    // Writes a width x height picture of 32-bit pixels 0xFFRRGGBB (values in
    // the host's byte order) at dest, top row first, rows pitch bytes apart.
    void scale(const uint8_t* frame, int width, int height, uint8_t* dest, int pitch);

private:
    struct Tap {
        int index;  // first of the two source texels (the second is the next one, clamped)
        int weight; // of the second, out of 256
    };
    static std::vector<Tap> taps(int sourceSize, int size);
    void layout(int width, int height);
    // Source row y (counted from the bottom) scaled across.
    const uint8_t* across(int y);

    int outWidth = 0, outHeight = 0;
    std::vector<Tap> columns, rows;
    std::vector<uint32_t> source;    // the frame as 0xFFRRGGBB, bottom row first
    std::vector<uint32_t> scaled[2]; // across(y) for an even and an odd y
    int scaledRow[2] = {-1, -1};     // which y each holds in this frame
    std::vector<uint32_t> even, odd; // twice across: the two halves before interleaving
};
