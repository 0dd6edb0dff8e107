#include "gallery/TriangleRain.h"

#include "framework/EffectFactory.h"
#include "graphics/Shader.h"

using namespace vell;

REGISTER_EFFECT(TriangleRain, 5);

TriangleRain::TriangleRain() : drops(0.2f, 0.0f)
{
    genTriangles();
    shader.reset(Shader::fromFile("BasicColor.glsl", false));
}

TriangleRain::~TriangleRain() = default;

void TriangleRain::genTriangles()
{
    drops.generateStill(1000, 453453, [] { return DropField::randomPoint(vec3(10, 5, 1), vec3()); });
}

void TriangleRain::draw()
{
    const float t = advanceClock();

    clearWithDepth();
    const vec3 eye(static_cast<float>(0.5 * t - 3), 0, 5);
    drops.render(shader.get(), eye, vec3(0, 0, -30), vec4(1, 1, 1, 1), DropField::OUTLINES);
}
