#pragma once

#include "gallery/FallingRain.h"

// 300 larger black triangles, filled, falling slowly while the camera flies
// into the field. Neither clears nor touches the depth test: it draws over
// whatever the frame already holds.
class TriangleRain3 : public FallingRain {
public:
    TriangleRain3();

    void draw() override;
};
