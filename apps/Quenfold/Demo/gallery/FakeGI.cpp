#include "gallery/FakeGI.h"

#include "framework/EffectFactory.h"
#include "geom/Cube.h"
#include "graphics/Camera.h"
#include "graphics/Overlay.h"
#include "graphics/RenderTexture.h"
#include "graphics/Shader.h"
#include "graphics/TextureCube.h"
#include "math/Random.h"

#include <GLES2/gl2.h>

#include <cmath>

using namespace vell;

REGISTER_EFFECT(FakeGI, 8);

FakeGI::FakeGI()
    : envMap(TextureCube::fromFile("gradient", "png")),
      camera(std::make_unique<Camera>(60, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()),
                                      0.1f, 100)),
      room(std::make_unique<Cube>(25, 25, 25, 1, 1, 1, false)),
      roomShader(Shader::fromFile("CubeMapBox.glsl", false)),
      cube(std::make_unique<Cube>(2, 2, 2, 1, 1, 1, true)),
      cubeShader(Shader::fromFile("FakeGICube.glsl", false)),
      target(RenderTexture::create(toPixels(targetSize), toPixels(targetSize), true)),
      overlay(std::make_unique<Overlay>())
{
}

FakeGI::~FakeGI() = default;

void FakeGI::cubeLayout(mat4 worlds[cubeCount])
{
    randomSeed(layoutSeed);
    for (int i = 0; i < cubeCount; ++i) {
        mat4 m = mat4::identityMatrix();
        const float x = static_cast<float>(randomFloat(-1, 1) * 0.7);
        const float y = static_cast<float>(randomFloat(-1, 1) * 0.7);
        const float z = static_cast<float>(randomFloat(-1, 1) * 0.7);
        m *= mat4::translationMatrix(x, y, z);
        const float ax = randomFloat(-1, 1) * 3;
        const float ay = randomFloat(-1, 1) * 3 * 0; // drawn, but the axis stays in the xz plane
        const float az = randomFloat(-1, 1) * 3;
        m *= mat4::rotationMatrix(vec3(ax, ay, az), 78);
        worlds[i] = m;
    }
}

void FakeGI::draw()
{
    const double t = advanceClock();

    target->begin();
    clearWithDepth();

    camera->setFov(60);
    camera->setPosition(vec3(static_cast<float>(8 * std::cos(t)), 3, static_cast<float>(8 * std::sin(t))));
    camera->setTarget(vec3(0, 0, 0));
    glActiveTexture(GL_TEXTURE0);
    if (envMap)
        envMap->bind();
    drawRoom();
    drawCubes();

    target->end();
    overlay->render(target.get(), false);
}

void FakeGI::drawRoom()
{
    if (!roomShader)
        return;
    roomShader->bind();
    roomShader->set("projectionMatrix", camera->getProjectionMatrix());
    roomShader->set("modelViewMatrix", camera->getViewMatrix());
    roomShader->set("envMap", 0);
    room->render(roomShader.get());
}

void FakeGI::drawCubes()
{
    if (!cubeShader)
        return;
    cubeShader->bind();
    cubeShader->set("projectionMatrix", camera->getProjectionMatrix());
    cubeShader->set("envMap", 0);
    mat4 worlds[cubeCount];
    cubeLayout(worlds);
    for (const mat4& world : worlds) {
        cubeShader->set("modelWorldMatrix", world);
        cubeShader->set("normalMatrix", mat3(world));
        cubeShader->set("modelViewMatrix", camera->getViewMatrix() * world);
        cube->render(cubeShader.get());
    }
}
