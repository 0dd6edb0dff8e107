#pragma once

#include "framework/Effect.h"

#include <memory>

namespace vell {
class Camera;
class Geometry;
class Overlay;
class RenderTexture;
class Shader;
class TextureCube;
class mat4;
} // namespace vell

// Seventeen tumbled cubes float in a room lined with a gradient cube map and
// pick up the colour of the walls they face; rendered small and stretched over
// the screen. Advances the frame clock itself on every draw.
class FakeGI : public Effect {
public:
    static constexpr int cubeCount = 17;
    static constexpr int layoutSeed = 12345678;
    static constexpr int targetSize = 256; // points

    FakeGI();
    ~FakeGI() override;

    void draw() override;

    // World matrix of cube i of the layout: reseeds the generator, so the same
    // every frame and every run.
    static void cubeLayout(vell::mat4 worlds[cubeCount]);

    std::unique_ptr<vell::TextureCube> envMap;
    std::unique_ptr<vell::Camera> camera;
    std::unique_ptr<vell::Geometry> room;
    std::unique_ptr<vell::Shader> roomShader;
    std::unique_ptr<vell::Geometry> cube;
    std::unique_ptr<vell::Shader> cubeShader;
    std::unique_ptr<vell::RenderTexture> target;
    std::unique_ptr<vell::Overlay> overlay;

private:
    void drawRoom();
    void drawCubes();
};
