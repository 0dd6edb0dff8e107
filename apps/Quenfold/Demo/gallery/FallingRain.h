#pragma once

#include "framework/Effect.h"
#include "toolkit/DropField.h"

#include <memory>

namespace vell {
class Shader;
}

// What the falling triangle rains share: 300 drops from seed 453453 at
// (r x 10, r x 5, r x depth), drawn by one shader. Each sibling draws and moves
// them its own way; they move only while drawn.
class FallingRain : public Effect {
public:
    using Raindrop = DropField::Raindrop;

    ~FallingRain() override;

    // Rebuilds the drops: the same field on every run.
    void genTriangles();

    std::unique_ptr<vell::Shader> shader;
    DropField drops;

protected:
    FallingRain(const char* shaderFile, float triangleSize, float depth);

private:
    float depth; // z extent of the start volume
};
