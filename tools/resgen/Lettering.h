#pragma once

#include "Image.h"
#include "ResourceWriter.h"

#include <string>
#include <vector>

namespace resgen {

// Title and credit images: large antialiased lettering with gradient fills and glows.
class Lettering {
public:
    struct Style {
        const char* font;
        int size;
        int tracking;
        std::vector<Rgba> fill; // gradient stops from the cap top to the baseline
        Rgba glow;
        int glowRadius;
    };

    // Draws one centred line with its baseline at y.
    static void drawLine(Image& target, const std::string& text, const Style& style, int centreX, int baselineY);

    // The chrome lettering of the title logo, at any size.
    static Style logoTitle(int size, int glowRadius);

    // Each image at content scale s: s times the pixels, the same picture in points.
    static bool writeAll(ResourceWriter& out, int s);

private:
    static Style scaledStyle(const Style& style, int s);
    static Image mirandeLogo(int s);
    static Image decrunching(int s);
    static Image credit(const std::string& role, const std::string& name, bool left, const Rgba& tint, int s);
    static Image eventLogo(int s);
    static Image errorText(int s);
};

} // namespace resgen
