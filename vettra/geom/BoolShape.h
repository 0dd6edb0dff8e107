#pragma once

#include "geom/Geometry.h"
#include "math/Mat.h"

namespace vell {

// One mesh merged from transformed copies of other geometries.
class BoolShape : public Geometry {
public:
    BoolShape();

    // Appends the part's vertices (positions transformed as points, normals and
    // texture coordinates copied) and its indices offset by the vertices already
    // here. The part needs vec3 "position" and "normal" and vec2 "texCoord0"
    // streams; it is only read. A part without them, or one whose vertices
    // would not fit 16-bit indices, is refused with an error.
    void add(Geometry* part, mat4 transform);
};

} // namespace vell
