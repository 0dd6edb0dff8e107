#pragma once

#include "Image.h"
#include "ResourceWriter.h"

namespace resgen {

// Additive sprites, cloud textures and the sphere-map light probe.
class Sprites {
public:
    static bool writeAll(ResourceWriter& out);

private:
    static Image flare();
    static Image cloud();
    static Image cloudsTile();
    static Image lightProbe();
};

} // namespace resgen
