#include "demo/TriangleRain5.h"

#include "graphics/Shader.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

using namespace vell;

TriangleRain5::TriangleRain5() : drops(0.2f, 0.4f)
{
    genTriangles();
    shader.reset(Shader::fromFile("TriangleRain5.glsl", false));
}

TriangleRain5::~TriangleRain5() = default;

void TriangleRain5::genTriangles()
{
    drops.generate(600, 453453, [] { return DropField::randomPoint(vec3(10, 5, 20), vec3(0, 9, 20)); });
}

void TriangleRain5::draw()
{
    const float dt = Timer::getInstance()->getFrameTime();

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drops.render(shader.get(), vec3(0, 8, 3), vec3(0, 0, -30), vec4(1, 1, 1, alpha));
    glDisable(GL_BLEND);

    // Written after the draw: the next frame shows this frame's positions.
    drops.update([dt](Raindrop& drop) {
        drop.position -= vec3(0, 0, static_cast<float>(dt * 1.3));
        drop.position.x = static_cast<float>(drop.position.x * 1.001);
        drop.phase += dt + dt;
    });
}
