#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>

class GradientBackground;

namespace vell {
class Camera;
class Geometry;
class Shader;
class Texture2D;
} // namespace vell

// A block of 9 x 5 x 9 soft cloud sprites, jittered and tinted by noise,
// sorted back to front every frame while the camera circles them. Drawn as
// points, or as quads when a puff would be larger than the renderer's largest
// point (the nearest ones at content scale 4).
class Clouds : public Effect {
public:
    Clouds();
    ~Clouds() override;

    void draw() override;
    // Whether this frame's puffs need quads: the largest is wider than the largest point.
    bool needsQuads() const;

    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::Geometry> geometry;
    std::unique_ptr<vell::Texture2D> cloudTexture;
    std::unique_ptr<vell::Camera> camera;
    int pointCount = 9 * 5 * 9;
    std::unique_ptr<GradientBackground> background;
    vell::vec3 color1;
    vell::vec3 color2;
    std::unique_ptr<vell::Shader> quadShader;
    std::unique_ptr<vell::Geometry> quads; // four corners a puff, in the points' sorted order
    float largestPoint = 1;                // pixels, from GL_ALIASED_POINT_SIZE_RANGE

private:
    void buildQuads();
    void sortQuads();
    void setUniforms(vell::Shader& s) const;
};
