#pragma once

#include "framework/Effect.h"

#include <memory>

namespace vell {
class Shader;
class Sphere;
class Texture;
class Texture2D;
class Torus;
} // namespace vell

// Teaching example with three looks of one torus, cycled by a two-finger tap:
// 0 a plain checker texture, 1 spherical environment mapping from a light
// probe, 2 cube mapping (a mirror torus, a smaller one in its hole, in a sky).
// Dragging turns the torus.
class ExampleTexturing : public Effect {
public:
    enum Mode { BASIC = 0, SPHERE_MAP = 1, CUBE_MAP = 2 };
    static constexpr int modeCount = 3;

    ExampleTexturing();
    ~ExampleTexturing() override;

    void draw() override;
    void onMouseDown(int x, int y, int touchCount) override;
    void onMouseMove(int x, int y, int touchCount) override;

    std::unique_ptr<vell::Shader> shader;   // of the current mode, loaded on demand
    std::unique_ptr<vell::Torus> torus;
    std::unique_ptr<vell::Texture> texture; // of the current mode, loaded on demand
    bool requested = false;                 // the current mode's shader and texture were loaded
    std::unique_ptr<vell::Texture2D> secondTexture;
    std::unique_ptr<vell::Sphere> skySphere;
    float rotationX = 0; // degrees
    float rotationY = 0;
    float spin = 0;
    int mode = CUBE_MAP;

private:
    // One torus through the mode's shader and texture, made on first use.
    void drawTorus(const char* shaderFile, vell::Texture* (*makeTexture)());
    void drawCubeMap();
};
