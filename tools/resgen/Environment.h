#pragma once

#include "Image.h"

#include <vector>

namespace resgen {

// A procedural surrounding: a sky/ground gradient plus soft light sources, sampled by direction.
class Environment {
public:
    struct Light {
        float x, y, z; // direction, normalised at construction
        Rgba colour;
        float sharpness; // exponent of the cosine lobe
    };

    Environment(Rgba zenith, Rgba horizon, Rgba ground, std::vector<Light> lights, float cloudAmount);

    static Environment warmRoom();
    static Environment pastelGradient();
    static Environment blurredLights();
    static Environment daySky();

    Rgba radiance(float x, float y, float z) const;

private:
    Rgba zenith;
    Rgba horizon;
    Rgba ground;
    std::vector<Light> lights;
    float cloudAmount;
};

} // namespace resgen
