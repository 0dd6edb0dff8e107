#include "gallery/TriangleRain3.h"

#include "framework/EffectFactory.h"
#include "utils/Timer.h"

using namespace vell;

REGISTER_EFFECT(TriangleRain3, 3);

TriangleRain3::TriangleRain3() : FallingRain("BasicColor.glsl", 0.42f, 20) {}

void TriangleRain3::draw()
{
    const Timer* timer = Timer::getInstance();
    const float t = timer->getTime();
    const float dt = timer->getFrameTime();

    drops.render(shader.get(), vec3(0, 0, 5 - t), vec3(0, 0, -30 - t), vec4(0, 0, 0, 1));

    // Written after the draw: the next frame shows this frame's positions.
    drops.update([dt](Raindrop& drop) {
        DropField::fall(drop, 0.5f * dt, -5, 5);
        drop.phase = static_cast<float>(drop.phase + dt * 2.5);
    });
}
