#pragma once

#include "Image.h"
#include "ResourceWriter.h"

#include <vector>

namespace resgen {

// Skies, tints, stripes, the plasma and the vignette.
class Gradients {
public:
    // Evenly spaced colour stops; t in 0..1.
    static Rgba ramp(const std::vector<Rgba>& stops, float t);
    // Each row takes the ramp colour at its height (top row t = 0).
    static Image vertical(int width, int height, const std::vector<Rgba>& stops);

    static bool writeAll(ResourceWriter& out);

private:
    static Image retroSunset();
    static Image retroTint();
    static Image redTint();
    static Image blueBackground();
    static Image plasma();
    static Image stripes(int bands, float slope, const std::vector<Rgba>& colours);
    static Image darkCorners();
    static Image pyramidFace();
};

} // namespace resgen
