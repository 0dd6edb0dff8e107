#include "gallery/SorvLogo.h"

#include "framework/EffectFactory.h"

REGISTER_EFFECT(SorvLogo, 7);

SorvLogo::SorvLogo() : LogoInSky("SorvLogo.glsl", "SorvLogoSky.glsl", true) {}
