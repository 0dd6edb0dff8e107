#pragma once

#include "framework/Effect.h"
#include "toolkit/DropField.h"

#include <memory>

namespace vell {
class Shader;
}

// 600 small spinning, wobbling triangles streaming past the camera, blended so
// that alpha fades the whole swarm. Moves only while drawn.
class TriangleRain5 : public Effect {
public:
    using Raindrop = DropField::Raindrop;

    TriangleRain5();
    ~TriangleRain5() override;

    // Rebuilds the drops from seed 453453, the sky's seed: same x/y layout.
    void genTriangles();
    void draw() override;

    std::unique_ptr<vell::Shader> shader;
    DropField drops;
    float alpha = 1.0f; // alpha of the "color" uniform
};
