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

using namespace vell;

REGISTER_EFFECT(Clouds, 17);

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
    shader->bind();
    shader->set("projectionMatrix", camera->getProjectionMatrix());
    shader->set("modelViewMatrix", camera->getViewMatrix());
    shader->set("tex0", 0);
    shader->set("contentScale", static_cast<float>(getContentScale()));
    geometry->render(shader.get());
}
