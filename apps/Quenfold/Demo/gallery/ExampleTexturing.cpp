#include "gallery/ExampleTexturing.h"

#include "framework/EffectFactory.h"
#include "geom/Sphere.h"
#include "geom/Torus.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "graphics/TextureCube.h"
#include "math/Mat.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

using namespace vell;

REGISTER_EFFECT(ExampleTexturing, 12);

namespace {

mat4 projection() { return mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100); }

} // namespace

ExampleTexturing::ExampleTexturing()
{
    Log::msg("ExampleTexturing+");
    secondTexture.reset(Texture2D::generateChecker());
    torus = std::make_unique<Torus>(1.0f, 0.3f, 36, 18);
}

ExampleTexturing::~ExampleTexturing() { Log::msg("ExampleTexturing-"); }

void ExampleTexturing::onMouseMove(int x, int y, int touchCount)
{
    rotationX = static_cast<float>(y * 360) / 480 + 90;
    rotationY = static_cast<float>((x * 360) / 320);
}

void ExampleTexturing::onMouseDown(int x, int y, int touchCount)
{
    if (touchCount != 2)
        return;
    mode = (mode + 1) % modeCount;
    texture.reset();
    shader.reset();
    requested = false;
}

void ExampleTexturing::draw()
{
    clearWithDepth();
    switch (mode) {
    case BASIC:
        drawTorus("ExampleTexturingBasic.glsl", []() -> Texture* { return Texture2D::generateChecker(); });
        break;
    case SPHERE_MAP:
        drawTorus("ExampleTexturingSEM.glsl",
                  []() -> Texture* { return Texture2D::fromFile("ExampleTexturingSEMLightProbeWarm.png", false); });
        break;
    case CUBE_MAP:
        drawCubeMap();
        break;
    default:
        break;
    }
}

void ExampleTexturing::drawTorus(const char* shaderFile, Texture* (*makeTexture)())
{
    if (!requested) { // once per mode: a missing file is not asked for again every frame
        shader.reset(Shader::fromFile(shaderFile, false));
        texture.reset(makeTexture());
        requested = true;
    }
    if (!shader || !texture)
        return;
    shader->bind();
    shader->set("projectionMatrix", projection());
    shader->set("modelViewMatrix", mat4::translationMatrix(0, 0, -3) *
                                       mat4::rotationMatrix(vec3(0, 1, 0), rotationY) *
                                       mat4::rotationMatrix(vec3(1, 0, 0), rotationX));
    shader->set("tex0", 0);
    shader->set("time", Timer::getInstance()->getTime()); // read by the sphere map only
    glActiveTexture(GL_TEXTURE0);
    texture->bind();
    torus->render(shader.get());
}

void ExampleTexturing::drawCubeMap()
{
    spin += Timer::getInstance()->getFrameTime() * 30;
    if (!requested) {
        shader.reset(Shader::fromFile("ExampleTexturingCubeMapping.glsl", false));
        texture.reset(TextureCube::fromFile("skyPosX.png", "png"));
        requested = true;
    }
    if (!skySphere)
        skySphere = std::make_unique<Sphere>(5.0f, 18, 5);
    if (!shader || !texture)
        return;

    const mat4 turn = mat4::rotationMatrix(vec3(0, 1, 0), rotationY) * mat4::rotationMatrix(vec3(1, 0, 0), rotationX);
    const mat4 modelView = mat4::translationMatrix(0, 0, -3) * mat4::rotationMatrix(vec3(0, 1, 0), rotationY + spin) *
                           mat4::rotationMatrix(vec3(1, 0, 0), rotationX);
    const mat4 camera = mat4::translationMatrix(0, 0, -3) * mat4::rotationMatrix(vec3(0, 1, 0), spin);
    // The eye in world space: the camera transform undone on the origin.
    const vec3 camPos = mat4::rotationMatrix(vec3(0, 1, 0), -spin) * vec3(0, 0, 3);

    Shader& s = *shader;
    s.bind();
    s.set("projectionMatrix", projection());
    s.set("modelViewMatrix", modelView);
    s.set("modelWorldMatrix", turn);
    s.set("tex0", 0);
    s.set("tex1", 1);
    s.set("camPos", camPos);
    s.set("skybox", 0.0);
    s.set("scale", 1.0);
    glActiveTexture(GL_TEXTURE0);
    texture->bind();
    glActiveTexture(GL_TEXTURE1);
    secondTexture->bind();
    glActiveTexture(GL_TEXTURE0);

    torus->render(&s);
    s.set("scale", 0.4);
    torus->render(&s);
    s.set("modelViewMatrix", camera);
    s.set("skybox", 1.0);
    s.set("scale", 1.0);
    skySphere->render(&s);
}
