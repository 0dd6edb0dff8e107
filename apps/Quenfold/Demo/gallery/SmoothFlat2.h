#pragma once

#include "gallery/SmoothFlatShading.h"

// Eight tori merged into one ornament: faceted diffuse light with smooth highlights.
class SmoothFlat2 : public SmoothFlatShading {
public:
    SmoothFlat2();
};
