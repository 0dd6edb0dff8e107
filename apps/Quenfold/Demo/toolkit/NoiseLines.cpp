#include "toolkit/NoiseLines.h"

#include "math/Noise.h"

#include <cstring>

void NoiseLines::reset(const std::vector<float>& columns, int lines)
{
    x = columns;
    ys.assign(x.size(), 0.0f);
    keys.assign(static_cast<size_t>(lines), 0);
    values.assign(x.size() * static_cast<size_t>(lines), 0.0f);
}

const float* NoiseLines::at(int line, float y)
{
    uint32_t bits;
    std::memcpy(&bits, &y, sizeof bits);
    const uint64_t key = uint64_t(1) << 32 | bits;
    float* row = values.data() + static_cast<size_t>(line) * x.size();
    if (keys[static_cast<size_t>(line)] != key) {
        ys.assign(x.size(), y);
        noise(x.data(), ys.data(), row, x.size());
        keys[static_cast<size_t>(line)] = key;
    }
    return row;
}
