#pragma once

#include "Image.h"
#include "ResourceWriter.h"

#include <functional>

namespace resgen {

// Photo-like 256 x 256 JPEG pictures painted from shapes and noise.
class Photos {
public:
    static bool writeAll(ResourceWriter& out);

private:
    using Paint = std::function<Rgba(float u, float v)>;
    // Rotated ellipse; paint receives ellipse-local coordinates in -1..1.
    static void fillEllipse(Image& img, float cx, float cy, float rx, float ry, float angle, const Paint& paint);
    static void addGrain(Image& img, unsigned seed, float amount);
    static Image kingfisher();
    static Image landscape();
};

} // namespace resgen
