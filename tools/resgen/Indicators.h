#pragma once

#include "Image.h"
#include "ResourceWriter.h"

namespace resgen {

// Nine HUD cards ("indicator01.png" .. "indicator09.png"), bright lines on black for additive drawing.
class Indicators {
public:
    static bool writeAll(ResourceWriter& out);

private:
    static Image card(int index);
    static void drawSymbol(Image& img, int index, const Rgba& c);
};

} // namespace resgen
