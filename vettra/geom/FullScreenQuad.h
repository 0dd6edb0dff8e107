#pragma once

#include "geom/Geometry.h"

namespace vell {

// Two triangles covering clip space: "position" (vec2) and "texCoord0" (vec2).
class FullScreenQuad : public Geometry {
public:
    FullScreenQuad();

    void genFullScreenQuad();
};

} // namespace vell
