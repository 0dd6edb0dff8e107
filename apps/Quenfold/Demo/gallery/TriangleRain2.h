#pragma once

#include "gallery/FallingRain.h"

// 300 white triangle outlines falling through a band from y = 5 to -5, spinning
// and wobbling, while the camera slides sideways.
class TriangleRain2 : public FallingRain {
public:
    TriangleRain2();

    void draw() override;
};
