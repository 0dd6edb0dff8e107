#pragma once

#include "Image.h"
#include "ResourceWriter.h"

#include <functional>

namespace resgen {

// Photo-like JPEG pictures painted from shapes and noise, 256 x 256 points; at content
// scale s they have s times the pixels and finer grain.
class Photos {
public:
    static bool writeAll(ResourceWriter& out, int s);

private:
    using Paint = std::function<Rgba(float u, float v)>;
    // Rotated ellipse; paint receives ellipse-local coordinates in -1..1.
    static void fillEllipse(Image& img, float cx, float cy, float rx, float ry, float angle, const Paint& paint);
    static void addGrain(Image& img, unsigned seed, float amount);
    static Image kingfisher(int s);
    static Image landscape(int s);
};

} // namespace resgen
