#include "toolkit/Orbit.h"

#include "utils/Platform.h"

#include <cmath>

using namespace vell;

vec3 Orbit::point(double angle, double radius, float height)
{
    return vec3(static_cast<float>(radius * std::cos(angle)), height, static_cast<float>(radius * std::sin(angle)));
}

mat4 Orbit::view(double angle, double radius, float height)
{
    return mat4::lookAtMatrix(point(angle, radius, height), vec3(0, 1, 0), vec3(0, 0, 0));
}

mat4 Orbit::windowProjection()
{
    return mat4::perspectiveMatrix(60, static_cast<float>(osGetWindowWidth()) / static_cast<float>(osGetWindowHeight()),
                                   0.1f, 100);
}
