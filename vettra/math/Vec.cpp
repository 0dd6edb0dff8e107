#include "math/Vec.h"

#include <cmath>

namespace vell {

float dot(const vec3& a, const vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

vec3 cross(const vec3& a, const vec3& b)
{
    return vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float length(const vec3& v)
{
    return sqrtf(v.x * v.x + v.y * v.y + v.z * v.z);
}

float length(const vec2& v)
{
    return sqrtf(v.x * v.x + v.y * v.y);
}

vec3 normalize(const vec3& v)
{
    const float len = length(v);
    if (len == 0.0f)
        return vec3();
    const float r = 1.0f / len;
    return vec3(v.x * r, v.y * r, v.z * r);
}

} // namespace vell
