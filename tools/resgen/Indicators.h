#pragma once

#include "Image.h"
#include "ResourceWriter.h"

namespace resgen {

// Nine HUD cards ("indicator01.png" .. "indicator09.png"), bright lines on black for additive drawing.
class Indicators {
public:
    // The cards at content scale s: s times the pixels, the same picture in points.
    static bool writeAll(ResourceWriter& out, int s);

private:
    static Image card(int index, int s);
    static void drawSymbol(Image& img, int index, const Rgba& c, float k);
};

} // namespace resgen
