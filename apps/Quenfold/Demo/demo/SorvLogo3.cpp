#include "demo/SorvLogo3.h"

#include "geom/Sphere.h"
#include "graphics/Camera.h"
#include "graphics/Overlay.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/Mat.h"
#include "toolkit/FrustumRuns.h"
#include "toolkit/GeometryBuilder.h"
#include "toolkit/GeometryGroup.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdlib>

using vell::Geometry;
using vell::mat4;
using vell::vec3;
using vell::vec4;

namespace {

constexpr int maxPoints = 65536; // what 16-bit indices can address
constexpr float skyRadius = 40;
// Nearer than any point of the sky sphere's faces to its centre.
constexpr float skyInside = skyRadius - 1;
constexpr float pointLift = 0.1f; // more than the point shader lifts a point off the surface
const vec3 splitEye(-1, 0, 9);     // both cameras of the split views
constexpr float largestPoint = 5;  // the point shader's, in points
// Primitives per run of the mesh whose box is tested against the view.
constexpr unsigned int solidRunTriangles = 128;
constexpr unsigned int particleRunPoints = 512;

vec3 vertexAt(const float* buffer, unsigned int i)
{
    return vec3(buffer[i * 3], buffer[i * 3 + 1], buffer[i * 3 + 2]);
}

vec3 blend(const float* buffer, const uint16_t* corner, float u, float v, float w)
{
    return vertexAt(buffer, corner[0]) * u + vertexAt(buffer, corner[1]) * v + vertexAt(buffer, corner[2]) * w;
}

} // namespace

SorvLogo3::SorvLogo3()
{
    cameraPosition = vec3(0, 0, 15);
    cameraTarget = vec3(0, 0, 0);
    logoShader.reset(vell::Shader::fromFile("SorvLogo3.glsl", false));
    solidShader.reset(vell::Shader::fromFile("SorvLogo4.glsl", false));
    model.reset(GeometryGroup::fromObjFile("sorv05tri.obj"));
    particleGeometry.reset(buildParticles());
    particleGeometry->makeStatic();
    markRadius = reach() + pointLift;
    if (model)
        for (const auto& child : model->getChildren())
            solidRuns.emplace_back(*child, solidRunTriangles, 0.0f);
    particleRuns = std::make_unique<FrustumRuns>(*particleGeometry, particleRunPoints, pointLift);
    camera = std::make_unique<vell::Camera>(
        120, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()), 0.1f, 100);
    skySphere = std::make_unique<vell::Sphere>(skyRadius, 32, 32);
    skySphere->makeStatic();
    skyShader.reset(vell::Shader::fromFile("SorvLogoSky2.glsl", false));
    overlay = std::make_unique<vell::Overlay>();
    musicCredit.reset(vell::Texture2D::fromFile("tarsk_music512.png", false));
    codeCredit.reset(vell::Texture2D::fromFile("keln_code512.png", false));
    musicCreditAlpha = 0;
    codeCreditAlpha = 0;
    introPan = 0;
    stage = 0;
    cameraUp = vec3(0, 1, 0);
    particleShader.reset(vell::Shader::fromFile("SorvLogo4Particle.glsl", false));
    eventLogo.reset(vell::Texture2D::fromFile("gathra2.png", false));
    eventLogoAlpha = 0;
}

SorvLogo3::~SorvLogo3() = default;

Geometry* SorvLogo3::buildParticles() const
{
    GeometryBuilder builder;
    int n = 0;
    if (model) {
        for (const auto& child : model->getChildren()) {
            const float* positions = child->getAttrib("position", vell::VEC3)->getBuffer();
            const vell::VertexAttrib* normal = child->getAttrib("normal", vell::VEC3);
            const vell::VertexAttrib* normal2 = child->getAttrib("normal2", vell::VEC3);
            const uint16_t* indices = child->getIndices();
            const unsigned int triangles = child->getNumIndices() / 3;
            for (unsigned int t = 0; t < triangles && n + particlesPerTriangle <= maxPoints; ++t) {
                const uint16_t* corner = indices + 3 * t;
                for (int p = 0; p < particlesPerTriangle; ++p) {
                    const float u = static_cast<float>(std::rand() % 1024) / 1024;
                    const float v = (1 - u) * static_cast<float>(std::rand() % 1024) / 1024;
                    const float w = 1 - u - v;
                    builder.add("position", blend(positions, corner, u, v, w));
                    builder.add("normal", blend(normal->getBuffer(), corner, u, v, w));
                    builder.add("normal2", blend(normal2->getBuffer(), corner, u, v, w));
                    builder.addPoint(n);
                    ++n;
                }
            }
        }
    }
    vell::Log::msg("%d num particles", n);
    return builder.build(Geometry::POINTS);
}

float SorvLogo3::reach() const
{
    float farthest = 0;
    if (model)
        for (const auto& child : model->getChildren()) {
            const vell::VertexAttrib* positions = child->getAttrib("position", vell::VEC3);
            for (unsigned int i = 0; positions && i < child->getNumVertices(); ++i)
                farthest = std::max(farthest, length(vertexAt(positions->getBuffer(), i)));
        }
    return farthest;
}

// Along each pixel's ray the sky sphere lies beyond the mark when both are seen
// through the same camera with the eye and the mark inside the sphere; through
// the split views' cameras, when the sky's eye, the split eye and the mark's
// reach add up to less than the sphere's radius.
bool SorvLogo3::skyBehindMark() const
{
    const float eye = length(cameraPosition);
    if (stage == 0)
        return eye + length(splitEye) + markRadius < skyInside;
    const bool sameCamera = stage == 1 || (stage == 2 && camera->fov == 80);
    return sameCamera && eye < skyInside && markRadius < skyInside;
}

void SorvLogo3::onMouseMove(int x, int y, int touchCount)
{
    cameraPosition = vec3(static_cast<float>(y * 20) / static_cast<float>(getWindowHeight()) - 10, 0, 3);
}

void SorvLogo3::draw()
{
    camera->setPosition(cameraPosition);
    camera->setTarget(cameraTarget);
    camera->setUp(cameraUp);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    // Drawn last, the sky is shaded only where the mark leaves it to show. The
    // looks move the camera: it keeps the one the frame began with.
    const mat4 skyProjection = camera->getProjectionMatrix();
    const mat4 skyView = camera->getViewMatrix();
    const bool skyLast = model && skyBehindMark();
    if (!skyLast)
        drawSky(skyProjection, skyView);

    if (model && logoShader) {
        logoShader->bind();
        logoShader->set("projectionMatrix", camera->getProjectionMatrix());
        logoShader->set("modelViewMatrix", camera->getViewMatrix());
    }
    if (model) {
        if (stage == 0)
            drawSplitViews();
        else if (stage == 1)
            drawTwoTones();
        else if (stage == 2)
            drawSolidAndParticles();
    }
    if (skyLast)
        drawSky(skyProjection, skyView);

    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    drawCredit(musicCredit.get(), musicCreditAlpha);
    drawCredit(codeCredit.get(), codeCreditAlpha);
    drawCredit(eventLogo.get(), eventLogoAlpha);
    glDisable(GL_BLEND);
}

// Behind everything, drawn without writing depth; drawn after the mark, only
// where nothing nearer was drawn, which gives the same picture.
void SorvLogo3::drawSky(const mat4& projection, const mat4& view)
{
    if (!skyShader)
        return;
    skyShader->bind();
    skyShader->set("projectionMatrix", projection);
    skyShader->set("modelViewMatrix", view * mat4::translationMatrix(0, 0, 0));
    glDepthMask(GL_FALSE);
    skySphere->render(skyShader.get());
    glDepthMask(GL_TRUE);
}

void SorvLogo3::drawModel(vell::Shader& shader)
{
    for (const auto& child : model->getChildren()) {
        shader.set("modelViewMatrix", camera->getViewMatrix());
        child->render(&shader);
    }
}

// Each camera shows one half of the mark; as introPan falls to 0 both look at the centre.
void SorvLogo3::drawSplitViews()
{
    if (!logoShader)
        return;
    for (const float sign : {1.0f, -1.0f}) {
        camera->setTarget(vec3(sign > 0 ? -2 * introPan : introPan + introPan, 0, 0));
        camera->setPosition(vec3(-1, 0, 9));
        logoShader->set("maskSign", static_cast<double>(sign));
        drawModel(*logoShader);
    }
}

void SorvLogo3::drawTwoTones()
{
    if (!logoShader)
        return;
    logoShader->bind();
    logoShader->set("projectionMatrix", camera->getProjectionMatrix());
    logoShader->set("modelViewMatrix", camera->getViewMatrix());
    for (const auto& child : model->getChildren()) {
        logoShader->set("maskSign", 1.0);
        child->render(logoShader.get());
        logoShader->set("maskSign", -1.0);
        child->render(logoShader.get());
    }
}

// The solid mark, then the points on its surface, with the frame's depth state.
void SorvLogo3::drawSolidAndParticles()
{
    camera->setFov(80);
    const mat4 clip = camera->getProjectionMatrix() * camera->getViewMatrix();
    const int width = static_cast<int>(getPixelWidth()), height = static_cast<int>(getPixelHeight());
    if (solidShader) {
        solidShader->bind();
        solidShader->set("projectionMatrix", camera->getProjectionMatrix());
        solidShader->set("modelViewMatrix", camera->getViewMatrix());
        for (FrustumRuns& runs : solidRuns)
            runs.draw(solidShader.get(), clip, width, height);
    }
    if (!particleShader)
        return;
    particleShader->bind();
    particleShader->set("projectionMatrix", camera->getProjectionMatrix());
    particleShader->set("modelViewMatrix", camera->getViewMatrix());
    particleShader->set("contentScale", static_cast<float>(getContentScale()));
    particleRuns->draw(particleShader.get(), clip, width, height,
                       largestPoint * static_cast<float>(getContentScale()));
}

// Added at the given strength; nothing at all when it is 0 or less.
void SorvLogo3::drawCredit(vell::Texture2D* credit, float alpha)
{
    if (alpha <= 0 || !credit)
        return;
    overlay->color = vec4(alpha, alpha, alpha, alpha);
    overlay->render(credit, true);
}
