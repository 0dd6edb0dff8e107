#include "gallery/LandRain.h"

#include "demo/PinkSky.h"
#include "demo/QuadLand2.h"
#include "demo/TriangleRain5.h"
#include "framework/EffectFactory.h"

REGISTER_EFFECT(LandRain, 0);

LandRain::LandRain()
    : sky(std::make_unique<PinkSky>()), land(std::make_unique<QuadLand2>()), rain(std::make_unique<TriangleRain5>())
{
}

LandRain::~LandRain() = default;

// Whatever their own enabled flags say.
void LandRain::draw()
{
    sky->draw();
    land->draw();
    rain->draw();
}
