#pragma once

#include "gallery/LogoInSky.h"

// The logo cut by a slanted plane: polished steel on one side, glowing slices
// on the other, under the night sky. Leaves the frame clock alone.
class SorvLogo2 : public LogoInSky {
public:
    SorvLogo2();
};
