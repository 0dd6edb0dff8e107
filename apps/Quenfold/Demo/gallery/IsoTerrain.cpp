#include "gallery/IsoTerrain.h"

#include "framework/EffectFactory.h"
#include "gallery/IsoTerrainModule.h"
#include "geom/Frustum.h"
#include "graphics/Overlay.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/Mat.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cmath>

using vell::mat4;
using vell::vec3;

REGISTER_EFFECT(IsoTerrain, 19);

IsoTerrain::IsoTerrain()
    : shader(vell::Shader::fromFile("IsoTerrainGround.glsl", false)),
      stage(1),
      splash(vell::Texture2D::fromFile("decrunching512x256.png", false)),
      overlay(std::make_unique<vell::Overlay>())
{
}

IsoTerrain::~IsoTerrain() = default;

void IsoTerrain::draw()
{
    if (stage == 1) {
        stage = -1;
        if (splash)
            overlay->render(splash.get(), true);
        return;
    }
    if (stage == -1) {
        stage = 0;
        for (int j = 0; j < 3; ++j)
            modules[j] = IsoTerrainModule::build(vec3(0, 0, static_cast<float>(10 * j - 20)));
    }

    vell::Timer* timer = vell::Timer::getInstance();
    timer->update();
    float t = timer->getTime();
    const int whole = static_cast<int>(t);
    t = static_cast<float>(whole % 15) + (t - static_cast<float>(whole));

    glClearColor(0, 0.3f, 0.45f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    if (!shader)
        return;

    const mat4 projection = mat4::perspectiveMatrix(
        60, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()), 0.1f, 100);
    const float s = 6 - 2 * t;
    const float u = 5 - 2 * t;
    const mat4 view = mat4::lookAtMatrix(vec3(0.5f * std::cos(s), 0.5f * std::sin(s), s), vec3(0, 1, 0),
                                         vec3(0.5f * std::cos(u), 0.5f * std::sin(u), u));
    shader->bind();
    shader->set("projectionMatrix", projection);
    shader->set("modelViewMatrix", view * mat4::translationMatrix(0, 0, 0));
    // Nearest block first: what it hides is left out.
    blocks.clear();
    for (const auto& module : modules)
        blocks.push_back(ChunkCuller::Block{module.get(), module->position});
    std::sort(blocks.begin(), blocks.end(), [s](const ChunkCuller::Block& a, const ChunkCuller::Block& b) {
        return std::fabs(a.position.z - s) < std::fabs(b.position.z - s);
    });
    culler.draw(blocks, shader.get(), view, projection, vell::Frustum(projection * view));
}
