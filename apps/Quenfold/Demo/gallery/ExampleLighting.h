#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>

namespace vell {
class Cube;
class Shader;
class Sphere;
class Torus;
} // namespace vell

// Teaching example: per-pixel point lighting. A red light swings through the
// hole of a torus inside a room lit from within (its position marked by a small
// sphere), while a blue light glows at the torus's centre; the camera circles.
class ExampleLighting : public Effect {
public:
    ExampleLighting();
    ~ExampleLighting() override;

    void draw() override;

    std::unique_ptr<vell::Shader> lightingShader; // loaded on the first draw
    bool lightingRequested = false;
    std::unique_ptr<vell::Cube> room;
    std::unique_ptr<vell::Torus> torus;
    std::unique_ptr<vell::Sphere> lightMarker;
    std::unique_ptr<vell::Shader> solidColorShader;
    vell::vec3 markerColor;
    vell::vec3 lightPos;
    vell::vec3 cameraPos;
};
