#include "demo/Stars.h"

#include "geom/Geometry.h"
#include "graphics/Camera.h"
#include "graphics/Overlay.h"
#include "graphics/RenderTexture.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/Random.h"
#include "toolkit/GeometryBuilder.h"
#include "utils/Platform.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <cmath>

using vell::mat4;
using vell::vec2;
using vell::vec3;
using vell::vec4;

namespace {

constexpr int kParticles = 1000;

// Three vertices on the unit circle in the z = 0 plane, pointing up.
vell::Geometry* genTriangle()
{
    GeometryBuilder builder;
    const float top = static_cast<float>(M_PI / 2);
    const vec2 uv[3] = {vec2(0, 0), vec2(1, 0), vec2(0, 1)};
    const double angles[3] = {top + 2.0943951, top + 4.1887902, top};
    for (int i = 0; i < 3; ++i) {
        builder.add("position", vec3(static_cast<float>(std::cos(angles[i])), static_cast<float>(std::sin(angles[i])), 0));
        builder.add("texCoord0", uv[i]);
        builder.add("normal", vec3(0, 0, 1));
    }
    builder.addTriangle(0, 1, 2);
    builder.addEdge(0, 1);
    builder.addEdge(1, 2);
    builder.addEdge(2, 0);
    return builder.build(vell::Geometry::TRIANGLES);
}

bool inOpenUnitRange(float c) { return static_cast<double>(c) > -0.9999 && static_cast<double>(c) < 0.9999; }

} // namespace

Stars::Stars()
{
    particles.reserve(kParticles);
    camera = std::make_unique<vell::Camera>(
        60, static_cast<float>(osGetWindowWidth()) / static_cast<float>(osGetWindowHeight()), 0.1f, 100);
    particleGeometry.reset(genParticles());
    starShader.reset(vell::Shader::fromFile("Stars.glsl", false));
    flareTexture.reset(vell::Texture2D::fromFile("flare.png", false));
    cameraZ = -15.0f;
    alpha = 0;
    appliedStarScale = 1.0f;
    starScale = 1.0f;
    overlay = std::make_unique<vell::Overlay>();
    gradientTexture.reset(vell::Texture2D::fromFile("redgradient.png", false));
    triangle.reset(genTriangle());
    triangleShader.reset(vell::Shader::fromFile("TriangleShader.glsl", false));
    triangleBorderShader.reset(vell::Shader::fromFile("TriangleBorderShader.glsl", false));
    const int side = toPixels(256);
    starTexture.reset(vell::RenderTexture::create(side, side, false));
}

Stars::~Stars() = default;

vell::Geometry* Stars::genParticles()
{
    GeometryBuilder builder;
    vell::randomSeed(12345);
    const float s = 0.2f;
    const vec3 corner[4] = {vec3(-s, -s, 0), vec3(s, -s, 0), vec3(s, s, 0), vec3(-s, s, 0)};
    const vec2 uv[4] = {vec2(0, 1), vec2(1, 1), vec2(1, 0), vec2(0, 0)};
    vec3 sum;
    particles.clear();
    for (int i = 0, k = 0; i < kParticles; ++i, k += 4) {
        const float x = vell::randomFloat() * 5;
        const float y = vell::randomFloat() * 5;
        const float z = vell::randomFloat() * 30;
        const vec3 p(x, y, z);
        sum += p;
        particles.push_back(p);
        for (int c = 0; c < 4; ++c) {
            builder.add("position", p + corner[c]);
            builder.add("normal", vec3());
            builder.add("texCoord0", uv[c]);
        }
        builder.addTriangle(k, k + 1, k + 2);
        builder.addTriangle(k, k + 2, k + 3);
    }
    sum *= 0.001f;
    vell::Log::msg("%f %f %f", sum.x, sum.y, sum.z);
    return builder.build(vell::Geometry::TRIANGLES);
}

void Stars::updateParticles(const mat4& view)
{
    const vec3 camPos(0, 0, -1000);
    const vec3 lookAt(0, 0, 1);
    const float s = 0.25f;
    const vec3 right(1, 0, 0), up(0, 1, 0);
    const vec3 e(starScale * s, s, s);
    const vec3 directions[4] = {-(right + up), right - up, right + up, -(right - up)};

    float* positions = particleGeometry->getAttrib("position", vell::VEC3)->getBuffer();
    float* offsets = particleGeometry->getAttrib("normal", vell::VEC3)->getBuffer();
    for (size_t k = 0; k < particles.size(); ++k) {
        const vec3& p = particles[k];
        const vec3 toCamProj = vell::normalize(vec3(camPos.x - p.x, 0, camPos.z - p.z));
        mat4 m = mat4::identityMatrix();
        const float c1 = vell::dot(lookAt, toCamProj);
        if (inOpenUnitRange(c1))
            m *= mat4::rotationMatrix(vell::cross(lookAt, toCamProj),
                                      static_cast<float>(std::acos(c1) * 180 / 3.14));
        const vec3 toCam = vell::normalize(camPos - p);
        const float c2 = vell::dot(toCamProj, toCam);
        if (inOpenUnitRange(c2))
            m *= mat4::rotationMatrix(toCam.y < 0 ? vec3(1, 0, 0) : vec3(-1, 0, 0),
                                      static_cast<float>(std::acos(c2) * 180 / 3.14));
        for (int i = 0; i < 4; ++i) {
            const vec3 offset = m * (directions[i] * e);
            const vec3 corner = p + offset;
            const size_t v = 3 * (4 * k + i);
            for (int c = 0; c < 3; ++c) {
                offsets[v + c] = offset[c];
                positions[v + c] = corner[c];
            }
        }
    }
    particleGeometry->invalidate();
}

void Stars::draw()
{
    const float t = vell::Timer::getInstance()->getTime();

    starTexture->begin();
    glClear(GL_COLOR_BUFFER_BIT); // with the colour in force: the tunnel's fading sea blue
    camera->setFov(60);
    camera->setPosition(vec3(0, 0, cameraZ));
    camera->setTarget(vec3(0, 0, cameraZ + 5));
    if (appliedStarScale != starScale) {
        appliedStarScale = starScale;
        updateParticles(vell::transpose(camera->getViewMatrix()));
    }

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    if (starShader && flareTexture) {
        flareTexture->bind();
        starShader->bind();
        starShader->set("projectionMatrix", camera->getProjectionMatrix());
        starShader->set("modelViewMatrix", camera->getViewMatrix());
        starShader->set("camPos", camera->getPosition());
        starShader->set("tex0", 0);
        starShader->set("alpha", alpha);
        particleGeometry->render(starShader.get());
    }
    glBlendFunc(GL_SRC_COLOR, GL_ONE);
    if (gradientTexture)
        overlay->render(gradientTexture.get(), true);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    starTexture->end();

    overlay->render(starTexture.get(), false);

    starTexture->bind();
    const mat4 model = mat4::translationMatrix(0, 0, -3) * mat4::rotationMatrix(vec3(0, 1, 0), t * 50);
    const struct {
        vell::Shader* shader;
        vec4 color;
        bool edges;
    } passes[] = {{triangleShader.get(), vec4(0, 0, 0, 1), false}, {triangleBorderShader.get(), vec4(1, 1, 1, 1), true}};
    for (const auto& pass : passes) {
        if (!pass.shader)
            continue;
        pass.shader->bind();
        pass.shader->set("projectionMatrix", camera->getProjectionMatrix());
        pass.shader->set("modelViewMatrix", model);
        pass.shader->set("color", pass.color);
        pass.shader->set("time", t);
        if (pass.edges)
            triangle->renderEdges(pass.shader);
        else
            triangle->render(pass.shader);
    }

    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
}
