#include "TypeFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

namespace resgen {

TypeFace::TypeFace(const std::string& path, int pixelSize)
{
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return;
    }
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "quenfold-resgen: cannot open font %s\n", path.c_str());
        face = nullptr;
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
}

TypeFace::~TypeFace()
{
    if (face)
        FT_Done_Face(face);
    if (library)
        FT_Done_FreeType(library);
}

TypeFace::Glyph TypeFace::glyph(unsigned char code) const
{
    Glyph g;
    if (!face || FT_Load_Char(face, code, FT_LOAD_RENDER) != 0)
        return g;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.coverage = Image(static_cast<int>(bm.width), static_cast<int>(bm.rows));
    for (unsigned y = 0; y < bm.rows; ++y)
        for (unsigned x = 0; x < bm.width; ++x) {
            const float a = bm.buffer[y * bm.pitch + x] / 255.0f;
            g.coverage.at(static_cast<int>(x), static_cast<int>(y)) = {1, 1, 1, a};
        }
    return g;
}

int TypeFace::textWidth(const std::string& text, int tracking) const
{
    int w = 0;
    for (unsigned char c : text)
        w += glyph(c).advance + tracking;
    return text.empty() ? 0 : w - tracking;
}

void TypeFace::drawText(Image& target, int x, int y, const std::string& text, const Rgba& c, int tracking) const
{
    for (unsigned char code : text) {
        const Glyph g = glyph(code);
        for (int j = 0; j < g.coverage.height(); ++j)
            for (int i = 0; i < g.coverage.width(); ++i)
                target.blendOver(x + g.left + i, y - g.top + j, c, g.coverage.at(i, j).a);
        x += g.advance + tracking;
    }
}

int TypeFace::ascender() const
{
    return face ? static_cast<int>((face->size->metrics.ascender + 32) >> 6) : 0;
}

} // namespace resgen
