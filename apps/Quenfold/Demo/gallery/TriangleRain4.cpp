#include "gallery/TriangleRain4.h"

#include "framework/EffectFactory.h"
#include "utils/Timer.h"

using namespace vell;

REGISTER_EFFECT(TriangleRain4, 2);

TriangleRain4::TriangleRain4() : FallingRain("TriangleRain4.glsl", 0.2f, 10) {}

void TriangleRain4::draw()
{
    const Timer* timer = Timer::getInstance();
    const float t = timer->getTime();
    const float dt = timer->getFrameTime();

    clearWithDepth();
    const float z = 0.5f * t;
    drops.render(shader.get(), vec3(0, -5, z - 5), vec3(0, -5, z - 35), vec4(1, 1, 1, 1),
                 DropField::OUTLINES_THEN_FILLED, 60);

    // Written after the draw: the next frame shows this frame's positions.
    drops.update([dt](Raindrop& drop) {
        DropField::fall(drop, static_cast<float>(dt * 0.3), -10, 1);
        drop.phase += 2 * dt;
    });
}
