#include "gallery/Clouds.h"

#include "framework/EffectFactory.h"
#include "geom/Geometry.h"
#include "geom/ShapeUtils.h"
#include "graphics/Camera.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/MathUtils.h"
#include "math/Noise.h"
#include "toolkit/GradientBackground.h"
#include "toolkit/Orbit.h"

#include <GLES2/gl2.h>

#include <algorithm>

using namespace vell;

REGISTER_EFFECT(Clouds, 17);

namespace {

constexpr float puffPoints = 150; // side in points at distance 1, as in both shaders
constexpr float nearest = 0.3f;   // distance below which puffs grow no more

} // namespace

Clouds::Clouds() : color1(0.7f, 0.7f, 0.95f), color2(0.95f, 0.7f, 0.7f)
{
    shader.reset(Shader::fromFile("Clouds.glsl", false));
    cloudTexture.reset(Texture2D::fromFile("cloud.png", false));
    camera = std::make_unique<Camera>(60.0f, static_cast<float>(getWindowWidth()) / getWindowHeight(), 0.1f, 100.0f);
    background = std::make_unique<GradientBackground>(color1, color2);

    geometry = std::make_unique<Geometry>();
    geometry->setPrimitiveType(Geometry::POINTS);
    geometry->addAttrib("position", VEC3);
    geometry->addAttrib("color", VEC4);
    geometry->setNumVertices(static_cast<unsigned int>(pointCount));
    geometry->setNumIndices(static_cast<unsigned int>(pointCount));
    float* positions = geometry->getAttrib("position", VEC3)->getBuffer();
    float* colors = geometry->getAttrib("color", VEC4)->getBuffer();
    uint16_t* indices = geometry->getIndices();

    const float s = 0.75f;
    unsigned int n = 0;
    for (int i = 0; i < 9; ++i) {
        for (int j = 0; j < 5; ++j) {
            for (int k = 0; k < 9; ++k) {
                const float u = static_cast<float>(i) / 8;
                const float v = static_cast<float>(j) / 4;
                const float w = static_cast<float>(k) / 8;
                vec3 p(mix(-s, s, u), mix(-0.5f * s, 0.5f * s, v), mix(-s, s, w));
                p += vec3(noise(u + u, w), noise(v + v), noise(3 * w)) * 0.3f;
                storeVec3(positions, n, p);
                const float b = static_cast<float>(0.4 * v + 0.5 + 0.1 * noise(u, w + 1));
                const vec3 rgb = mix(color1 * b, color2, v) * 1.2f;
                const float a = static_cast<float>((static_cast<double>(noise(2 * u, 2 * v, 2 * w)) + 1) / 2);
                float* c = colors + 4 * n;
                c[0] = rgb.x;
                c[1] = rgb.y;
                c[2] = rgb.z;
                c[3] = a;
                indices[n] = static_cast<uint16_t>(n);
                ++n;
            }
        }
    }
    GLfloat range[2] = {1, 1};
    glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, range);
    largestPoint = range[1];
    quadShader.reset(Shader::fromFile("CloudQuads.glsl", false));
    buildQuads();
}

void Clouds::buildQuads()
{
    const unsigned int n = static_cast<unsigned int>(pointCount);
    quads = std::make_unique<Geometry>();
    quads->setPrimitiveType(Geometry::TRIANGLES);
    quads->addAttrib("position", VEC3);
    quads->addAttrib("color", VEC4);
    quads->addAttrib("corner", VEC2);
    quads->setNumVertices(4 * n);
    quads->setNumIndices(6 * n);
    float* corners = quads->getAttrib("corner", VEC2)->getBuffer();
    const float cornerXY[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (unsigned int v = 0; v < 4 * n; ++v) {
        corners[2 * v] = cornerXY[v % 4][0];
        corners[2 * v + 1] = cornerXY[v % 4][1];
    }
}

// Each puff's four corners take its point's position and colour; the quads go
// in the order the points were sorted, back to front.
void Clouds::sortQuads()
{
    const float* positions = geometry->getAttrib("position", VEC3)->getBuffer();
    const float* colors = geometry->getAttrib("color", VEC4)->getBuffer();
    float* quadPositions = quads->getAttrib("position", VEC3)->getBuffer();
    float* quadColors = quads->getAttrib("color", VEC4)->getBuffer();
    const uint16_t* order = geometry->getIndices();
    uint16_t* indices = quads->getIndices();
    for (unsigned int k = 0; k < static_cast<unsigned int>(pointCount); ++k) {
        const unsigned int p = order[k];
        for (unsigned int v = 4 * p; v < 4 * p + 4; ++v) {
            std::copy(positions + 3 * p, positions + 3 * p + 3, quadPositions + 3 * v);
            std::copy(colors + 4 * p, colors + 4 * p + 4, quadColors + 4 * v);
        }
        const auto b = static_cast<uint16_t>(4 * p);
        const uint16_t quad[6] = {b, static_cast<uint16_t>(b + 1), static_cast<uint16_t>(b + 2),
                                  b, static_cast<uint16_t>(b + 2), static_cast<uint16_t>(b + 3)};
        std::copy(quad, quad + 6, indices + 6 * k);
    }
}

bool Clouds::needsQuads() const
{
    const float* positions = geometry->getAttrib("position", VEC3)->getBuffer();
    const mat4 view = camera->getViewMatrix();
    float closest = 1e30f;
    for (int p = 0; p < pointCount; ++p) {
        const float* v = positions + 3 * p;
        const float distance = -(view * vec3(v[0], v[1], v[2])).z;
        if (distance > 0) // behind the camera nothing is drawn
            closest = std::min(closest, distance);
    }
    const float side = puffPoints * static_cast<float>(getContentScale()) / std::max(closest, nearest);
    return side > largestPoint;
}

void Clouds::setUniforms(Shader& s) const
{
    s.bind();
    s.set("projectionMatrix", camera->getProjectionMatrix());
    s.set("modelViewMatrix", camera->getViewMatrix());
    s.set("tex0", 0);
    s.set("contentScale", static_cast<float>(getContentScale()));
}

Clouds::~Clouds() = default;

void Clouds::draw()
{
    const double t = advanceClock();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera->setPosition(Orbit::point(t, 3, 0));
    camera->sortGeometryPrimitives(geometry.get(), mat4::identityMatrix());

    glDisable(GL_BLEND);
    background->render();

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (!shader)
        return;
    glActiveTexture(GL_TEXTURE0);
    cloudTexture->bind();
    if (quadShader && needsQuads()) {
        sortQuads();
        setUniforms(*quadShader);
        quadShader->set("viewportWidth", static_cast<float>(getPixelWidth()));
        quadShader->set("viewportHeight", static_cast<float>(getPixelHeight()));
        quads->render(quadShader.get());
        return;
    }
    setUniforms(*shader);
    geometry->render(shader.get());
}
