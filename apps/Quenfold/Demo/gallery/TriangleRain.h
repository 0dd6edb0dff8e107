#pragma once

#include "framework/Effect.h"
#include "toolkit/DropField.h"

#include <memory>

namespace vell {
class Shader;
}

// 1000 still, upright triangle outlines; the camera drifts slowly along x.
// Advances the frame clock itself on every draw.
class TriangleRain : public Effect {
public:
    using Raindrop = DropField::Raindrop;

    TriangleRain();
    ~TriangleRain() override;

    // Rebuilds the drops from seed 453453: the same field on every run.
    void genTriangles();
    void draw() override;

    std::unique_ptr<vell::Shader> shader;
    DropField drops;
};
