#pragma once

#include "framework/Effect.h"
#include "math/Mat.h"
#include "math/Vec.h"

#include <memory>
#include <vector>

namespace vell {
class Camera;
class Geometry;
class Overlay;
class RenderTexture;
class Shader;
class Texture2D;
} // namespace vell

// A field of 1000 additive flare sprites drawn into a small texture, tinted by a
// gradient and stretched over the screen, with a black triangle spinning in
// front. The sprite corners are recomputed only when starScale changes.
class Stars : public Effect {
public:
    Stars();
    ~Stars() override;

    // Seeds the shared generator and builds the sprite quads; fills particles.
    vell::Geometry* genParticles();
    // Turns every sprite towards a far billboard eye, stretched by starScale
    // horizontally (the view is not used).
    void updateParticles(const vell::mat4& view);
    void draw() override;

    std::unique_ptr<vell::Geometry> particleGeometry;
    std::vector<vell::vec3> particles; // sprite centres, in vertex order
    std::unique_ptr<vell::Texture2D> flareTexture;
    std::unique_ptr<vell::Shader> starShader;
    std::unique_ptr<vell::Camera> camera;
    std::unique_ptr<vell::Overlay> overlay;
    std::unique_ptr<vell::Texture2D> gradientTexture;
    std::unique_ptr<vell::Geometry> triangle;
    std::unique_ptr<vell::Shader> triangleShader;
    std::unique_ptr<vell::Shader> triangleBorderShader;
    std::unique_ptr<vell::RenderTexture> starTexture;
    float cameraZ; // the camera looks towards +z from here
    float alpha;   // of the sprites
    float appliedStarScale; // the stretch the corners were last computed for
    float starScale;        // horizontal stretch of the sprites
};
