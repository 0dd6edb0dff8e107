#include "Environment.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace resgen {

Environment::Environment(Rgba zenithColour, Rgba horizonColour, Rgba groundColour, std::vector<Light> lightList,
                         float clouds)
    : zenith(zenithColour), horizon(horizonColour), ground(groundColour), lights(std::move(lightList)),
      cloudAmount(clouds)
{
    for (Light& l : lights) {
        const float n = std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
        l.x /= n;
        l.y /= n;
        l.z /= n;
    }
}

Environment Environment::warmRoom()
{
    return {{0.55f, 0.35f, 0.2f, 1}, {1.0f, 0.75f, 0.45f, 1}, {0.25f, 0.12f, 0.06f, 1},
            {{-0.5f, 0.8f, 0.4f, {1.6f, 1.4f, 1.0f, 1}, 60},
             {0.9f, 0.2f, -0.3f, {0.9f, 0.45f, 0.15f, 1}, 8},
             {0.1f, -0.3f, 1.0f, {0.4f, 0.2f, 0.1f, 1}, 3}},
            0};
}

Environment Environment::pastelGradient()
{
    return {{0.25f, 0.45f, 0.95f, 1}, {0.95f, 0.7f, 0.85f, 1}, {0.3f, 0.15f, 0.35f, 1}, {}, 0};
}

Environment Environment::blurredLights()
{
    return {{0.05f, 0.05f, 0.12f, 1}, {0.2f, 0.15f, 0.3f, 1}, {0.02f, 0.02f, 0.05f, 1},
            {{0.3f, 0.9f, 0.2f, {1.2f, 1.1f, 1.0f, 1}, 12},
             {-0.9f, 0.1f, 0.4f, {0.2f, 0.5f, 1.2f, 1}, 6},
             {0.7f, -0.2f, -0.7f, {1.2f, 0.3f, 0.6f, 1}, 6},
             {-0.2f, 0.3f, -1.0f, {0.3f, 1.0f, 0.7f, 1}, 10}},
            0};
}

Environment Environment::daySky()
{
    return {{0.12f, 0.3f, 0.75f, 1}, {0.7f, 0.85f, 1.0f, 1}, {0.25f, 0.3f, 0.2f, 1},
            {{0.4f, 0.5f, 0.75f, {2.0f, 1.8f, 1.4f, 1}, 400}, {0.4f, 0.5f, 0.75f, {0.6f, 0.5f, 0.3f, 1}, 12}},
            1};
}

Rgba Environment::radiance(float x, float y, float z) const
{
    const float n = std::sqrt(x * x + y * y + z * z);
    x /= n;
    y /= n;
    z /= n;
    Rgba c = y >= 0 ? mix(horizon, zenith, std::pow(y, 0.6f)) : mix(horizon, ground, std::pow(-y, 0.35f));
    if (cloudAmount > 0 && y > 0.02f) {
        // Clouds on a flat layer above the viewer.
        static const Noise noise(5);
        const float px = x / y * 2.0f;
        const float pz = z / y * 2.0f;
        const float d = std::clamp((noise.fbm(px + 50, pz + 50, 5, 0) - 0.5f) * 3.5f * cloudAmount, 0.0f, 1.0f);
        const float fade = std::min(1.0f, y * 6.0f);
        c = mix(c, {1, 1, 1, 1}, d * fade);
    }
    for (const Light& l : lights) {
        const float k = std::pow(std::max(0.0f, x * l.x + y * l.y + z * l.z), l.sharpness);
        c = {c.r + l.colour.r * k, c.g + l.colour.g * k, c.b + l.colour.b * k, 1};
    }
    c.a = 1;
    return c;
}

} // namespace resgen
