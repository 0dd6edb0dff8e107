#pragma once

#include "ResourceWriter.h"

#include <string>

namespace resgen {

// A glyph atlas of 16 x 16 cells of 16 x 16 points plus its metrics file (one signed byte per
// code: advance - 1, in pixels). At content scale S the glyphs are rasterised at S times the
// size into cells of 16S pixels: 256S x 256S pixels, the same layout in points.
class FontAtlas {
public:
    static constexpr int cell = 16;
    static constexpr int glyphRows = 14;

    FontAtlas(std::string fontPath, int pixelSize, int baseline);
    bool write(ResourceWriter& out, const std::string& baseName, int scale) const;

private:
    std::string fontPath;
    int pixelSize;
    int baseline;
};

} // namespace resgen
