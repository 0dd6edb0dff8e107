#include "gallery/SorvLogo2.h"

#include "framework/EffectFactory.h"

REGISTER_EFFECT(SorvLogo2, 6);

SorvLogo2::SorvLogo2() : LogoInSky("SorvLogo2.glsl", "SorvLogoSky2.glsl", false) {}
