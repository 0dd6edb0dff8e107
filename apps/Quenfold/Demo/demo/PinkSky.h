#pragma once

#include "framework/Effect.h"
#include "toolkit/DropField.h"

#include <memory>

namespace vell {
class Shader;
}

// 600 large triangles drifting away from the camera, each spinning and wobbling:
// the pink sky the landscape is drawn over. Moves only while drawn.
class PinkSky : public Effect {
public:
    using Raindrop = DropField::Raindrop;

    PinkSky();
    ~PinkSky() override;

    // Rebuilds the drops from seed 453453: the same field on every run.
    void genTriangles();
    void draw() override;

    std::unique_ptr<vell::Shader> shader;
    DropField drops;
};
