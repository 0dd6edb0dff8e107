#include "gallery/ExampleRenderToCubeMap.h"

#include "framework/EffectFactory.h"
#include "gallery/RenderCubeMap.h"
#include "geom/Torus.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "graphics/TextureCube.h"
#include "utils/Timer.h"

using namespace vell;

REGISTER_EFFECT(ExampleRenderToCubeMap, 11);

namespace {

struct SceneObject {
    vec3 position;
    vec3 color;
};

const SceneObject sceneObjects[4] = {
    {vec3(-3, 0, 0), vec3(1, 1, 1)},
    {vec3(3, 0, 0), vec3(0, 1, 0)},
    {vec3(0, 0, -3), vec3(0, 0, 1)},
    {vec3(0, 0, 3), vec3(1, 1, 0)},
};

mat4 viewOf(const RenderCubeMap::FaceView& v) { return mat4::lookAtMatrix(v.eye, v.up, v.target); }

} // namespace

ExampleRenderToCubeMap::ExampleRenderToCubeMap() : targetSize(toPixels(faceSize))
{
    sceneShader.reset(Shader::fromFile("ExampleRenderToCubeMapScene.glsl", false));
    checker.reset(Texture2D::generateChecker());
    torus = std::make_unique<Torus>(1.0f, 0.3f, 36, 18);
    torus->makeStatic(); // drawn 29 times a frame, never rewritten
    reflectionShader.reset(Shader::fromFile("ExampleRenderToCubeMapReflection.glsl", false));
    RenderCubeMap::createTarget(targetSize, &cubeTexture, &framebuffer, &depthBuffer);
    unusedCube.reset(TextureCube::fromFile("", "png"));
}

ExampleRenderToCubeMap::~ExampleRenderToCubeMap()
{
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &depthBuffer);
    glDeleteTextures(1, &cubeTexture);
}

void ExampleRenderToCubeMap::drawScene(const mat4& projection, const mat4& view, float t)
{
    if (!sceneShader)
        return;
    glActiveTexture(GL_TEXTURE0);
    checker->bind();
    sceneShader->bind();
    sceneShader->set("projectionMatrix", projection);
    sceneShader->set("tex0", 0);
    for (int j = 0; j < 4; ++j) {
        mat4 modelView;
        if (j == 0) // a large ring far out on -x, standing as a backdrop
            modelView = view * mat4::translationMatrix(-15, 0, 0) * mat4::rotationMatrix(vec3(1, 0, 0), 90) *
                        mat4::scaleMatrix(15, 15, 15, 1);
        else
            modelView = view * mat4::translationMatrix(sceneObjects[j].position.x, sceneObjects[j].position.y,
                                                       sceneObjects[j].position.z) *
                        mat4::rotationMatrix(vec3(0, 1, 0), 60 * t) *
                        mat4::rotationMatrix(vec3(1, 0, 0), 30 * static_cast<float>(j) * t);
        sceneShader->set("modelViewMatrix", modelView);
        sceneShader->set("color", sceneObjects[j].color);
        torus->render(sceneShader.get());
    }
}

void ExampleRenderToCubeMap::draw()
{
    // The frame's own framebuffer, whatever its name, receives the on-screen pass.
    GLint screen = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &screen);
    clearWithDepth();
    const float t = Timer::getInstance()->getTime();

    for (int p = 0; p <= RenderCubeMap::faceCount; ++p) {
        const mat4 view = viewOf(RenderCubeMap::faceViews[p]);
        mat4 projection;
        if (p < RenderCubeMap::faceCount) {
            projection = mat4::perspectiveMatrix(90, 1, 0.1f, 100);
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_CUBE_MAP_POSITIVE_X + p,
                                   cubeTexture, 0);
            glViewport(0, 0, targetSize, targetSize);
        } else {
            projection = mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
            glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(screen));
            glViewport(0, 0, static_cast<GLsizei>(getPixelWidth()), static_cast<GLsizei>(getPixelHeight()));
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawScene(projection, view, t);
    }

    if (!reflectionShader)
        return;
    const mat4 view = viewOf(RenderCubeMap::faceViews[RenderCubeMap::faceCount]);
    const mat4 modelWorld = mat4::rotationMatrix(vec3(0, 1, 0), 60 * t) * mat4::rotationMatrix(vec3(1, 0, 0), 30 * t);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeTexture);
    reflectionShader->bind();
    reflectionShader->set("projectionMatrix", mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100));
    reflectionShader->set("modelViewMatrix", view * modelWorld);
    reflectionShader->set("modelWorldMatrix", modelWorld);
    reflectionShader->set("camPos", RenderCubeMap::faceViews[RenderCubeMap::faceCount].eye);
    reflectionShader->set("tex0", 0);
    torus->render(reflectionShader.get());
}
