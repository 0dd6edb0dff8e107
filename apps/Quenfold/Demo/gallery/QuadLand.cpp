#include "gallery/QuadLand.h"

#include "filters/BlurFilter.h"
#include "framework/EffectFactory.h"
#include "geom/Cube.h"
#include "graphics/Overlay.h"
#include "graphics/RenderTexture.h"
#include "graphics/Shader.h"
#include "math/Mat.h"
#include "toolkit/LandUnit2.h"

#include <GLES2/gl2.h>

#include <cmath>

using namespace vell;

REGISTER_EFFECT(QuadLand, 9);

const int QuadLand::layout[5][5] = {
    {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 0, 1, 1}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1},
};

QuadLand::QuadLand()
{
    unitSize = 2.0f;
    box = std::make_unique<Cube>(unitSize, unitSize / 4, unitSize, 1, 1, 1, false);
    shader.reset(Shader::fromFile("PositionColor.glsl", false));
    genUnits();
    sceneTexture.reset(RenderTexture::create(toPixels(512), toPixels(512), true));
    glowTexture.reset(RenderTexture::create(toPixels(128), toPixels(128), true));
    blur.reset(BlurFilter::create(toPixels(128), toPixels(128)));
    overlay = std::make_unique<Overlay>();
}

QuadLand::~QuadLand()
{
    while (!units.empty())
        units.pop_back(); // back to front
}

void QuadLand::genUnits()
{
    units.clear();
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            units.emplace_back(layout[r][c] ? LandUnit2::gen(unitSize, 0.4f, unitSize, 10, c * unitSize,
                                                             r * unitSize, 0.25f)
                                            : nullptr);
        }
    }
}

void QuadLand::drawScene()
{
    const float t = advanceClock();

    clearWithDepth();
    if (!shader)
        return;

    const mat4 projection = mat4::perspectiveMatrix(
        60, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()), 0.1f, 100);
    const vec3 eye(static_cast<float>(5 * std::cos(static_cast<double>(t))), 1,
                   static_cast<float>(5 * std::sin(static_cast<double>(t))));
    const mat4 view = mat4::lookAtMatrix(eye, vec3(0, 1, 0), vec3(0, 0, 0));

    shader->bind();
    shader->set("projectionMatrix", projection);
    shader->set("modelViewMatrix", view * mat4::translationMatrix(0, 0, 0));
    // The box sits at the origin; without this it would take the last tile's place.
    shader->set("modelWorldMatrix", mat4::identityMatrix());
    shader->set("color", vec4(1, 1, 1, 0.75f));
    box->render(shader.get());

    const int m = static_cast<int>(std::sqrt(static_cast<double>(units.size())));
    for (int r = 0, tile = 0; r < m; ++r) {
        for (int c = 0; c < m; ++c, ++tile) {
            Geometry* unit = units[static_cast<size_t>(tile)].get();
            if (!unit)
                continue;
            const mat4 world = mat4::translationMatrix(static_cast<float>((-m * 0.5 + c) * unitSize), -1,
                                                       static_cast<float>((-m * 0.5 + r) * unitSize));
            shader->set("modelViewMatrix", view * world);
            shader->set("modelWorldMatrix", world);
            unit->renderEdges(shader.get());
        }
    }
}

void QuadLand::draw()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);

    sceneTexture->begin();
    drawScene();
    sceneTexture->end();
    glowTexture->begin();
    drawScene();
    glowTexture->end();

    blur->apply(glowTexture.get());
    blur->setStrength(vec2(0.25f, 0.25f)); // from the next frame's blur on

    overlay->render(sceneTexture.get(), false);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    overlay->render(blur.get(), false);
    glDisable(GL_BLEND);
}
