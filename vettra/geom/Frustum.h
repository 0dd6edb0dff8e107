#pragma once

#include "math/Mat.h"
#include "math/Vec.h"

namespace vell {

// What a clip matrix (projection x model-view) shows of a mesh, as six planes in
// the mesh's own coordinates: the view volume, or the part of it that falls on
// a rectangle of window pixels.
class Frustum {
public:
    explicit Frustum(const mat4& clip);
    // Only what lands on the pixels (x, y, width, height) of a window of the given size.
    Frustum(const mat4& clip, const int rect[4], int windowWidth, int windowHeight);

    // The same volume seen from a mesh placed at offset in these coordinates.
    Frustum shifted(const vec3& offset) const;

    // True when the box [lo, hi] lies wholly beyond one of the planes, far enough
    // that the rounding of the GL's own transform cannot bring a pixel of it back.
    bool excludes(const vec3& lo, const vec3& hi) const;

private:
    Frustum() = default;
    // Inside where x0 w <= x <= x1 w and y0 w <= y <= y1 w in clip space.
    void setPlanes(const mat4& clip, float x0, float x1, float y0, float y1);

    vec4 planes[6]; // a point p is on the inner side of plane q where q . (p, 1) >= 0
};

} // namespace vell
