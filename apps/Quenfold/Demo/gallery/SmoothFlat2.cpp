#include "gallery/SmoothFlat2.h"

#include "framework/EffectFactory.h"
#include "geom/BoolShape.h"
#include "geom/Torus.h"
#include "math/Mat.h"

using namespace vell;

REGISTER_EFFECT(SmoothFlat2, 15);

SmoothFlat2::SmoothFlat2() : SmoothFlatShading("SmoothFlat2.glsl", vec3(0.6f, 0.8f, 0.99f), vec3(0.9f, 0.9f, 0.99f))
{
    Torus torus(1.0f, 0.3f, 12, 6);
    // Shrinking rings stacked along z on both sides, then a squashed one across them.
    const struct {
        float z, scale;
    } rings[] = {{0, 1}, {0.25f, 0.75f}, {0.35f, 0.55f}, {0.4f, 0.35f}, {-0.4f, 0.35f}, {-0.35f, 0.55f}, {-0.25f, 0.75f}};
    BoolShape shape;
    for (const auto& r : rings)
        shape.add(&torus, mat4::translationMatrix(0, 0, r.z) * mat4::scaleMatrix(r.scale, r.scale, r.scale, 1));
    shape.add(&torus, mat4::scaleMatrix(0.3f, 1.0f, 0.45f, 1) * mat4::rotationMatrix(vec3(1, 0, 0), 90));
    geometry.reset(unindex(shape, FIRST_VERTEX));
}
