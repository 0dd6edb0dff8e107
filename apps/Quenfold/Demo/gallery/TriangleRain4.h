#pragma once

#include "gallery/FallingRain.h"

// 300 triangles, outlined then filled, sinking slowly through a band from
// y = 1 to -10 while the camera backs away from them.
class TriangleRain4 : public FallingRain {
public:
    TriangleRain4();

    void draw() override;
};
