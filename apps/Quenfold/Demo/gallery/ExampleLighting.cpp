#include "gallery/ExampleLighting.h"

#include "framework/EffectFactory.h"
#include "geom/Cube.h"
#include "geom/Sphere.h"
#include "geom/Torus.h"
#include "graphics/Shader.h"
#include "math/Mat.h"
#include "toolkit/Orbit.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <cmath>

using namespace vell;

REGISTER_EFFECT(ExampleLighting, 20);

ExampleLighting::ExampleLighting()
{
    room = std::make_unique<Cube>(15.0f, 10.0f, 15.0f, 1, 1, 1, false);
    room->invertNormals(); // lit from inside
    torus = std::make_unique<Torus>(2.0f, 0.6f, 36, 36);
    Log::msg("%d", static_cast<int>(torus->getNumVertices()));
    lightMarker = std::make_unique<Sphere>(0.3f, 6, 6);
    solidColorShader.reset(Shader::fromFile("ExampleLightingSolidColor.glsl", false));
    markerColor = vec3(1, 0, 0);
    lightPos = vec3(5, 4, 5);
    cameraPos = vec3(5, 3, 5);
}

ExampleLighting::~ExampleLighting() = default;

void ExampleLighting::draw()
{
    if (!lightingRequested) { // once: a missing file is not asked for again every frame
        lightingShader.reset(Shader::fromFile("ExampleLightingPointLight2.glsl", false));
        lightingRequested = true;
    }
    clearWithDepth();

    const double t = Timer::getInstance()->getTime();
    lightPos = vec3(0, 0, static_cast<float>(7 * std::sin(t)));
    cameraPos = Orbit::point(t / 2, 7, 3);

    const mat4 projection = mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
    const mat4 view = mat4::lookAtMatrix(cameraPos, vec3(0, 1, 0), vec3(0, 0, 0));
    const mat4 model = mat4::translationMatrix(0, 0, 0);

    if (lightingShader) {
        Shader& s = *lightingShader;
        s.bind();
        s.set("projectionMatrix", projection);
        s.set("modelViewMatrix", view * model);
        s.set("modelWorldMatrix", model);
        s.set("ecLightPos", view * lightPos);
        s.set("lightPos", lightPos);
        s.set("lightPos2", vec3(lightPos.x / 2, lightPos.y, lightPos.x));
        s.set("ambientColor", vec4(0, 0, 0, 0));
        s.set("diffuseColor", vec4(0.99f, 0.2f, 0.1f, 1));
        s.set("diffuseColor2", vec4(0.1f, 0.2f, 0.99f, 1));
        s.set("specularColor", vec4(0.8f, 0.8f, 0.8f, 1));
        s.set("cameraPos", cameraPos);
        room->render(&s);
        torus->render(&s);
    }

    if (solidColorShader) {
        solidColorShader->bind();
        solidColorShader->set("projectionMatrix", projection);
        solidColorShader->set("modelViewMatrix", view * mat4::translationMatrix(lightPos.x, lightPos.y, lightPos.z));
        solidColorShader->set("color", markerColor);
        lightMarker->render(solidColorShader.get());
    }
}
