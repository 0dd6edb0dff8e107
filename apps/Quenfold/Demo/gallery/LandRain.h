#pragma once

#include "framework/Effect.h"

#include <memory>

class PinkSky;
class QuadLand2;
class TriangleRain5;

// The demo's opening look on its own: the pink sky, the landscape and the
// triangle rain, drawn in that order every frame.
class LandRain : public Effect {
public:
    LandRain();
    ~LandRain() override;

    void draw() override;

    std::unique_ptr<PinkSky> sky;
    std::unique_ptr<QuadLand2> land;
    std::unique_ptr<TriangleRain5> rain;
};
