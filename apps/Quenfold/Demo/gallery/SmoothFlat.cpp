#include "gallery/SmoothFlat.h"

#include "framework/EffectFactory.h"
#include "geom/Torus.h"

REGISTER_EFFECT(SmoothFlat, 16);

SmoothFlat::SmoothFlat() : SmoothFlatShading("SmoothFlat.glsl", vell::vec3(0.8f, 0.8f, 0.99f), vell::vec3(0.99f, 0.8f, 0.8f))
{
    vell::Torus torus(1.0f, 0.3f, 12, 6);
    geometry.reset(unindex(torus, AVERAGE));
}
