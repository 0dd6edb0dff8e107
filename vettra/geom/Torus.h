#pragma once

#include "geom/Geometry.h"

namespace vell {

// A torus in the xy plane around the z axis: ring radius, tube radius,
// tubeSegments around the tube, ringSegments around the ring.
class Torus : public Geometry {
public:
    Torus(float ringRadius, float tubeRadius, unsigned int tubeSegments, unsigned int ringSegments);

    // The index list holds 6 entries per vertex; those past the real ones stay 0.
    void genTorus(float ringRadius, float tubeRadius, unsigned int tubeSegments, unsigned int ringSegments);
};

} // namespace vell
