#pragma once

#include <cstddef>
#include <memory>
#include <string>

// A bitmap font's metrics file: one byte per character code, the glyph's
// advance in pixels minus one as a signed value.
class GlyphAdvances {
public:
    static constexpr int codeCount = 128;

    // A missing file, or one shorter than codeCount bytes, leaves the metrics
    // unusable and is logged once per process.
    explicit GlyphAdvances(const char* fileName);

    bool isUsable() const { return size >= codeCount; }
    // Pixels the pen moves after code (0..codeCount-1) on usable metrics.
    int advance(int code) const { return static_cast<signed char>(bytes.get()[code]) + 1; }

private:
    struct Free {
        void operator()(void* p) const;
    };
    size_t size = 0;
    std::unique_ptr<unsigned char, Free> bytes;
};
