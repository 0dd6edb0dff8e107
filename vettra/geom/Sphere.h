#pragma once

#include "geom/Geometry.h"

namespace vell {

// A UV sphere around the y axis: rings rings from the +y pole to the -y pole,
// segments segments around the axis.
class Sphere : public Geometry {
public:
    Sphere(float radius, unsigned int segments, unsigned int rings);

    // The index list holds 6 entries per vertex; those past the 6 x rings x
    // segments real ones stay 0 (degenerate triangles).
    void genSphere(float radius, unsigned int segments, unsigned int rings);
};

} // namespace vell
