#pragma once

#include "geom/Geometry.h"

namespace vell {

// A width x height grid of nu x nv quads, perpendicular to the given axis
// (0 = x, 1 = y, 2 = z) and centred on the origin.
class Plane : public Geometry {
public:
    Plane(float width, float height, int axis, int nu, int nv);

    // Regenerates every vertex and index; an axis outside 0..2 leaves positions and normals 0.
    void genPlane(float width, float height, int axis, int nu, int nv);
};

} // namespace vell
