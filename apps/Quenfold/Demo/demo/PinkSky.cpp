#include "demo/PinkSky.h"

#include "graphics/Shader.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

using namespace vell;

PinkSky::PinkSky() : drops(1.2f, 0.4f)
{
    genTriangles();
    shader.reset(Shader::fromFile("PinkSky.glsl", false));
}

PinkSky::~PinkSky() = default;

void PinkSky::genTriangles()
{
    drops.generate(600, 453453, [] {
        return DropField::randomPoint(vec3(10, 5, 20), vec3(0, 9, 30)) - vec3(0, 0, 9.1f);
    });
}

void PinkSky::draw()
{
    Timer* timer = Timer::getInstance();
    if (timer->getTotalFrameCount() % 100 == 33)
        Log::msg("draw %f", static_cast<double>(timer->getFPS()));
    const float dt = timer->getFrameTime();

    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    drops.render(shader.get(), vec3(0, 8, 3), vec3(0, 0, -30), vec4(1, 1, 1, 1));

    // Written after the draw: the next frame shows this frame's positions.
    drops.update([dt](Raindrop& drop) {
        drop.position -= vec3(0, 0, dt);
        drop.position.x = static_cast<float>(drop.position.x * 1.001);
        drop.phase += dt + dt;
    });
    glDepthMask(GL_TRUE);
}
