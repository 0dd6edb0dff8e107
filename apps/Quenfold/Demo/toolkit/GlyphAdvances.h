#pragma once

#include <cstddef>
#include <memory>
#include <string>

// A bitmap font's metrics file: one byte per character code, the glyph's
// advance in the file's pixels minus one as a signed value. The file made for
// the frame's content scale is read, and its advances turned into points.
class GlyphAdvances {
public:
    static constexpr int codeCount = 128;

    // A missing file, or one shorter than codeCount bytes, leaves the metrics
    // unusable and is logged once per process.
    explicit GlyphAdvances(const char* fileName);

    bool isUsable() const { return size >= codeCount; }
    // Points the pen moves after code (0..codeCount-1) on usable metrics.
    float advance(int code) const
    {
        return static_cast<float>(static_cast<signed char>(bytes.get()[code]) + 1) / pixelsPerPoint;
    }

private:
    float pixelsPerPoint = 1;
    struct Free {
        void operator()(void* p) const;
    };
    size_t size = 0;
    std::unique_ptr<unsigned char, Free> bytes;
};
