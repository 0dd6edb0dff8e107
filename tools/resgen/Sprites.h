#pragma once

#include "Image.h"
#include "ResourceWriter.h"

namespace resgen {

// Additive sprites, cloud textures and the sphere-map light probe.
class Sprites {
public:
    // At content scale s the flare, the cloud puff and the light probe have s times the
    // pixels, and the puff finer noise; the tile is only made at 1x.
    static bool writeAll(ResourceWriter& out, int s);

private:
    static Image flare(int s);
    static Image cloud(int s);
    static Image cloudsTile();
    static Image lightProbe(int s);
};

} // namespace resgen
