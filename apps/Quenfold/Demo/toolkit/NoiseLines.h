#pragma once

#include <cstdint>
#include <vector>

// 2D noise along lines of constant y through fixed x inputs (the columns), for
// a field whose lines often keep their y from one frame to the next or share it
// with a neighbour. Each line slot keeps the values it last worked out and works
// them out again only for another y (bit for bit), so every value is exactly
// noise(x, y).
class NoiseLines {
public:
    // The x inputs and the number of line slots; forgets every value.
    void reset(const std::vector<float>& columns, int lines);
    int columnCount() const { return static_cast<int>(x.size()); }
    int lineCount() const { return static_cast<int>(keys.size()); }
    // noise(x[c], y) for every column c, kept in slot line (0 .. lineCount() - 1).
    // Valid until the next reset.
    const float* at(int line, float y);

private:
    std::vector<float> x;
    std::vector<float> ys;        // scratch: y at every column
    std::vector<uint64_t> keys;   // per slot: 1 << 32 | bits of its y, 0 while empty
    std::vector<float> values;    // per slot: one value per column
};
