#pragma once

#include <cstdint>
#include <vector>

// Scales the frame (480S x 320S pixels at content scale S) on the CPU into the
// window's picture. Where the picture has the frame's size, rows are copied as
// they are. Larger, the filter is the one the GL sampler applies to a linearly
// filtered RGBA8 texture drawn over the same rect: across, then down, each pass
// a + ((b - a) weighted by an 8-bit fraction), rounded to 8 bits. At twice the
// frame's size in both directions this is pixel for pixel what the GL draws;
// there every pass is (a + 3b + 2) / 4, integer division. Smaller than half
// the frame, blocks of it are first averaged (a box filter), as large as whole
// blocks can be while the frame stays at least the picture's size, so no texel
// is skipped.
class FrameScaler {
public:
    // frame: sourceWidth x sourceHeight RGBA, bottom row first (as glReadPixels
    // returns it). Writes a width x height picture of 32-bit pixels 0xFFRRGGBB
    // (values in the host's byte order) at dest, top row first, rows pitch bytes apart.
    void scale(const uint8_t* frame, int sourceWidth, int sourceHeight, int width, int height, uint8_t* dest,
               int pitch);

private:
    struct Tap {
        int first, second; // the two source texels, next to each other (past an edge both the edge texel)
        int weight;        // of the second, out of 256
    };
    static std::vector<Tap> taps(int sourceSize, int size);
    // Side of the blocks averaged into one texel: the largest that divides both
    // sides of the frame and leaves it at least the picture's size.
    static int boxSide(int sourceWidth, int sourceHeight, int width, int height);
    void layout(int sourceWidth, int sourceHeight, int width, int height);
    // The frame into source, as 0xFFRRGGBB, its blocks averaged.
    void load(const uint8_t* frame);
    // Source row y (counted from the bottom) scaled across.
    const uint8_t* across(int y);

    int frameWidth = 0, frameHeight = 0; // as given
    int box = 1;                         // side of the blocks averaged
    int inWidth = 0, inHeight = 0;       // the frame after averaging
    int outWidth = 0, outHeight = 0;
    std::vector<Tap> columns, rows;
    std::vector<uint32_t> source;    // the frame as 0xFFRRGGBB, bottom row first
    std::vector<uint32_t> sums;      // a row of the frame's RGBA summed down a block's rows
    std::vector<uint32_t> scaled[2]; // across(y) for an even and an odd y
    int scaledRow[2] = {-1, -1};     // which y each holds in this frame
    std::vector<uint32_t> even, odd; // twice across: the two halves before interleaving
};
