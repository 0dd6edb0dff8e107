#pragma once

#include "gallery/LogoInSky.h"

// The logo's outer faces in warm copper, and where the model opens, its inner
// faces glowing violet, under a dawn sky. Advances the frame clock itself on
// every draw.
class SorvLogo : public LogoInSky {
public:
    SorvLogo();
};
