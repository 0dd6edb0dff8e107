#include "gallery/LogoInSky.h"

#include "geom/Sphere.h"
#include "graphics/Camera.h"
#include "graphics/Shader.h"
#include "math/Mat.h"
#include "toolkit/GeometryGroup.h"
#include "utils/Platform.h"

using namespace vell;

LogoInSky::LogoInSky(const char* logoShaderFile, const char* skyShaderFile, bool advances)
    : advancesClock(advances)
{
    logoShader.reset(Shader::fromFile(logoShaderFile, false));
    logo.reset(GeometryGroup::fromObjFile("sorv05tri.obj"));
    camera = std::make_unique<Camera>(
        120, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()), 0.1f, 100);
    cameraPosition = vec3(-7, 0, 25);
    cameraTarget = vec3(0, 0, 0);
    sky = std::make_unique<Sphere>(40, 32, 32);
    skyShader.reset(Shader::fromFile(skyShaderFile, false));
}

LogoInSky::~LogoInSky() = default;

void LogoInSky::onMouseMove(int x, int y, int touchCount)
{
    cameraPosition = vec3(static_cast<float>(20 * y) / static_cast<float>(osGetWindowHeight()) - 10, 0, 3);
}

void LogoInSky::draw()
{
    if (advancesClock)
        advanceClock();
    clearWithDepth();
    camera->setPosition(cameraPosition);
    camera->setTarget(cameraTarget);
    drawSky();
    drawLogo();
}

void LogoInSky::drawSky()
{
    if (!skyShader)
        return;
    skyShader->bind();
    skyShader->set("projectionMatrix", camera->getProjectionMatrix());
    skyShader->set("modelViewMatrix", camera->getViewMatrix() * mat4::translationMatrix(0, 0, 0));
    sky->render(skyShader.get());
}

// Depth-tested, unblended; the shader keeps or discards by the sign.
void LogoInSky::drawLogo()
{
    if (!logo || !logoShader)
        return;
    logoShader->bind();
    logoShader->set("projectionMatrix", camera->getProjectionMatrix());
    logoShader->set("modelViewMatrix", camera->getViewMatrix() * mat4::translationMatrix(0, 0, 0));
    for (const float sign : {1.0f, -1.0f}) {
        logoShader->set("maskSign", sign);
        for (const auto& child : logo->getChildren())
            child->render(logoShader.get());
    }
}
