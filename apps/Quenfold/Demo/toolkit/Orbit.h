#pragma once

#include "math/Mat.h"

// Cameras that circle the origin in a horizontal plane.
class Orbit {
public:
    // (radius cos angle, height, radius sin angle), the products in double precision.
    static vell::vec3 point(double angle, double radius, float height);
    // Looking from point(angle, radius, height) at the origin, y up.
    static vell::mat4 view(double angle, double radius, float height);
    // 60 degrees vertical over the window's aspect, near 0.1, far 100.
    static vell::mat4 windowProjection();
};
