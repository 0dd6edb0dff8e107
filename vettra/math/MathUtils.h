#pragma once

#include "math/Vec.h"

namespace vell {

// d x 0.017453292 (pi / 180 in single precision), one multiplication.
float degToRad(float d);
// min(x, hi), then raised to lo; with lo > hi the result is lo.
float clamp(float x, float lo, float hi);
// Linear map of [inMin, inMax] onto [outMin, outMax], unclamped.
float remap(float x, float inMin, float inMax, float outMin, float outMax);
// a (1 - t) in double precision plus b t in single, rounded to float.
float mix(float a, float b, float t);
vec3 mix(const vec3& a, const vec3& b, float t);

} // namespace vell
