#pragma once

#include "geom/Geometry.h"

namespace vell {

// A box centred on the origin, each face a copy of a plane grid: faces in the
// order -x, +x, -y, +y, -z, +z.
class Cube : public Geometry {
public:
    Cube(float sizeX, float sizeY, float sizeZ, int nx, int ny, int nz, bool positionNormals);

    // With positionNormals each normal is the vertex position itself (unnormalised).
    void genCube(float sizeX, float sizeY, float sizeZ, int nx, int ny, int nz, bool positionNormals);
};

} // namespace vell
