#include "FontAtlas.h"

#include "TypeFace.h"

#include <algorithm>
#include <vector>

namespace resgen {

FontAtlas::FontAtlas(std::string path, int size, int baselineRow)
    : fontPath(std::move(path)), pixelSize(size), baseline(baselineRow)
{
}

bool FontAtlas::write(ResourceWriter& out, const std::string& baseName, int s) const
{
    TypeFace face(fontPath, pixelSize * s);
    if (!face.valid())
        return false;
    const int side = cell * s;
    const int rows = glyphRows * s;
    const int base = baseline * s;
    Image atlas(side * 16, side * 16);
    std::vector<uint8_t> metrics(256);
    const int spaceAdvance = face.glyph(' ').advance;
    for (int code = 0; code < 256; ++code) {
        const bool printable = code >= 32 && code < 127;
        int advance = spaceAdvance;
        if (printable) {
            const TypeFace::Glyph g = face.glyph(static_cast<unsigned char>(code));
            // Glyphs start at point column 1 so that a left bearing of -1 point still fits the cell.
            const int ox = (code % 16) * side + std::max(0, g.left + s);
            const int oy = (code / 16) * side + base - g.top;
            for (int j = 0; j < g.coverage.height(); ++j)
                for (int i = 0; i < g.coverage.width(); ++i) {
                    const int row = base - g.top + j;
                    const int col = std::max(0, g.left + s) + i;
                    if (row >= 0 && row < rows && col < side)
                        atlas.blendOver(ox + i, oy + j, {1, 1, 1, 1}, g.coverage.at(i, j).a);
                }
            advance = std::clamp(g.advance, 1, side);
        }
        metrics[static_cast<size_t>(code)] = static_cast<uint8_t>(static_cast<int8_t>(advance - 1));
    }
    return out.savePng(baseName + ".png", atlas, s) && out.saveBytes(baseName + ".dat", metrics, s);
}

} // namespace resgen
