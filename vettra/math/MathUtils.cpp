#include "math/MathUtils.h"

namespace vell {

float degToRad(float d)
{
    return d * 0.017453292f;
}

float clamp(float x, float lo, float hi)
{
    if (!(x < hi))
        x = hi;
    if (x < lo)
        x = lo;
    return x;
}

float remap(float x, float inMin, float inMax, float outMin, float outMax)
{
    return (x - inMin) / (inMax - inMin) * (outMax - outMin) + outMin;
}

float mix(float a, float b, float t)
{
    const double weighted = a * (1.0 - t);
    return (float)(weighted + b * t);
}

vec3 mix(const vec3& a, const vec3& b, float t)
{
    return a * (1.0f - t) + b * t;
}

} // namespace vell
