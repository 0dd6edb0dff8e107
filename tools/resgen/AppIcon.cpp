#include "AppIcon.h"

#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace resgen {

Image AppIcon::draw(int size)
{
    const float k = static_cast<float>(size) / 512.0f;
    Image img(size, size);
    // Tile: inset by 16/512, corners of radius 92/512, a night gradient from top to bottom.
    const float half = 0.5f * static_cast<float>(size) - 16 * k;
    const float radius = 92 * k;
    const float centre = 0.5f * static_cast<float>(size);
    const Rgba top{0.16f, 0.04f, 0.30f, 1}, bottom{0.02f, 0.01f, 0.08f, 1};
    for (int y = 0; y < size; ++y) {
        const Rgba fill = mix(top, bottom, static_cast<float>(y) / static_cast<float>(size - 1));
        for (int x = 0; x < size; ++x) {
            // Signed distance to the rounded square, through the pixel's centre.
            const float dx = std::max(std::fabs(x + 0.5f - centre) - (half - radius), 0.0f);
            const float dy = std::max(std::fabs(y + 0.5f - centre) - (half - radius), 0.0f);
            const float outside = std::sqrt(dx * dx + dy * dy) - radius;
            img.blendOver(x, y, fill, std::clamp(0.5f - outside, 0.0f, 1.0f));
        }
    }
    // The rule of the logo's tag line under the letter.
    img.drawLine(132 * k, 430 * k, 380 * k, 430 * k, std::max(1.0f, 6 * k), {1, 0.6f, 0.9f, 0.9f});
    const int glow = std::max(1, static_cast<int>(std::lround(12 * k)));
    Lettering::drawLine(img, "Q", Lettering::logoTitle(static_cast<int>(std::lround(330 * k)), glow), size / 2,
                        static_cast<int>(std::lround(370 * k)));
    return img;
}

bool AppIcon::writeAll(ResourceWriter& out)
{
    for (int size : kSizes)
        if (!out.savePng("quenfold-" + std::to_string(size) + ".png", draw(size)))
            return false;
    return true;
}

} // namespace resgen
