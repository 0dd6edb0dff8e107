#pragma once

#include "ResourceWriter.h"

#include <string>

namespace resgen {

// A 256 x 256 glyph atlas of 16 x 16 cells plus its metrics file (one signed byte per code: advance - 1).
class FontAtlas {
public:
    static constexpr int cell = 16;
    static constexpr int glyphRows = 14;

    FontAtlas(std::string fontPath, int pixelSize, int baseline);
    bool write(ResourceWriter& out, const std::string& baseName) const;

private:
    std::string fontPath;
    int pixelSize;
    int baseline;
};

} // namespace resgen
