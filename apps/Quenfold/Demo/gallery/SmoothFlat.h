#pragma once

#include "gallery/SmoothFlatShading.h"

// A torus lit smooth on one side and faceted on the other.
class SmoothFlat : public SmoothFlatShading {
public:
    SmoothFlat();
};
