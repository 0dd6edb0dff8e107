#pragma once

#include "Image.h"

#include <string>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace resgen {

// One FreeType face at one pixel size, rasterising text as coverage.
class TypeFace {
public:
    struct Glyph {
        int left = 0;    // pen to first bitmap column
        int top = 0;     // baseline to first bitmap row (upwards)
        int advance = 0; // whole pixels
        Image coverage{0, 0};
    };

    TypeFace(const std::string& path, int pixelSize);
    ~TypeFace();
    TypeFace(const TypeFace&) = delete;
    TypeFace& operator=(const TypeFace&) = delete;

    bool valid() const { return face != nullptr; }
    Glyph glyph(unsigned char code) const;
    int textWidth(const std::string& text, int tracking = 0) const;
    // Draws text in colour c with the baseline at y, starting at pen position x.
    void drawText(Image& target, int x, int y, const std::string& text, const Rgba& c, int tracking = 0) const;
    int ascender() const;

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

} // namespace resgen
