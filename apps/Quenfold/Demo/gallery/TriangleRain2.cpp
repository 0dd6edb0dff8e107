#include "gallery/TriangleRain2.h"

#include "framework/EffectFactory.h"
#include "utils/Timer.h"

using namespace vell;

REGISTER_EFFECT(TriangleRain2, 4);

TriangleRain2::TriangleRain2() : FallingRain("BasicColor.glsl", 0.2f, 10) {}

void TriangleRain2::draw()
{
    const Timer* timer = Timer::getInstance();
    const float t = timer->getTime();
    const float dt = timer->getFrameTime();

    clearWithDepth();
    const float x = 2 * t - 5;
    drops.render(shader.get(), vec3(x, 0, 5), vec3(x, 0, -30), vec4(1, 1, 1, 1), DropField::OUTLINES);

    // Written after the draw: the next frame shows this frame's positions.
    drops.update([dt](Raindrop& drop) {
        DropField::fall(drop, dt, -5, 5);
        drop.phase += dt * 5;
    });
}
