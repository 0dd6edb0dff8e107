#include "demo/Rings.h"

#include "filters/BlurFilter.h"
#include "geom/Geometry.h"
#include "graphics/Overlay.h"
#include "graphics/RenderTexture.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/Mat.h"
#include "math/Random.h"
#include "toolkit/GeometryBuilder.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

#include <cmath>

using vell::mat4;
using vell::vec3;
using vell::vec4;

Rings::Rings()
{
    generateRings();
    shader.reset(vell::Shader::fromFile("Rings.glsl", false));
    colorShader.reset(vell::Shader::fromFile("BasicColor.glsl", false));
    overlay = std::make_unique<vell::Overlay>();
    backgroundTexture.reset(vell::Texture2D::fromFile("blueGradient2.png", false));
    stage = 0;
    const int side = toPixels(256);
    sceneTexture.reset(vell::RenderTexture::create(side, side, true));
    blurFilter.reset(BlurFilter::create(side, side));
    blurFilter->setStrength(vell::vec2(0, 0));
    blurStrength = 0;
    primeBlur();
}

// The rasteriser builds its code for the blur passes on their first use, a
// visible pause when the blur first comes in: pay it while loading instead.
void Rings::primeBlur()
{
    GLfloat clearColor[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
    blurFilter->apply(sceneTexture.get());
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
}

Rings::~Rings() = default;

vell::Geometry* Rings::genRing(float startAngle, float endAngle, float radius, float height, float centerY,
                               float segments, float rows)
{
    auto corner = [&](int q, int p) {
        const double theta = (static_cast<double>(q / segments) * (endAngle - startAngle) + startAngle) / 180 * M_PI;
        const double y = (static_cast<double>(p / rows) - 0.5) * height + centerY;
        return vec3(static_cast<float>(radius * std::cos(theta)), static_cast<float>(y),
                    static_cast<float>(radius * std::sin(theta)));
    };
    GeometryBuilder builder;
    int k = 0;
    for (int r = 0; static_cast<float>(r) < rows; ++r) {
        for (int s = 0; static_cast<float>(s) < segments; ++s) {
            const vec3 c[4] = {corner(s, r), corner(s + 1, r), corner(s + 1, r + 1), corner(s, r + 1)};
            const vec3 n = vell::cross(c[1] - c[0], c[2] - c[0]);
            const float mx = vell::randomFloat();
            const float my = vell::randomFloat();
            const float mz = vell::randomFloat();
            for (const vec3& v : c) {
                builder.add("position", v);
                builder.add("normal", n);
                builder.add("normal2", vec3(mx, my, mz));
            }
            builder.addQuad(k);
            k += 4;
        }
    }
    return builder.build(vell::Geometry::TRIANGLES);
}

void Rings::generateRings()
{
    const int u = 1;
    const float U = static_cast<float>(u);
    const struct {
        float start, end, radius, height, centerY, segments, rows;
        bool thin;
    } table[] = {
        {0, 45, 2, 3, -1, 3 * U, 5 * U, false},       {90, 135, 2, 3, 1, 3 * U, 5 * U, false},
        {180, 225, 2, 3, 3, 3 * U, 5 * U, false},     {270, 315, 2, 3, 0, 3 * U, 5 * U, false},
        {45, 90, 3, 7, 4, 3 * U, 7 * U, false},       {135, 180, 3, 7, -2, 3 * U, 7 * U, false},
        {225, 270, 3, 7, -6, 3 * U, 7 * U, false},    {315, 360, 3, 7, 1, 3 * U, 7 * U, false},
        {0, 180, 5, 0.5f, -1, 18 * U, U, false},      {180, 360, 5, 0.7f, 1, 18 * U, U, false},
        {0, 360, 10, 0.2f, 0, 6 * U, U, true},        {0, 360, 10, 0.2f, -6, 6 * U, U, true},
        {0, 360, 10, 0.2f, 6, 6 * U, U, true},
    };
    for (const auto& ring : table)
        (ring.thin ? thinRings : bands)
            .emplace_back(genRing(ring.start, ring.end, ring.radius, ring.height, ring.centerY, ring.segments,
                                  ring.rows));
}

void Rings::draw()
{
    const double t = vell::Timer::getInstance()->getTime();
    const float aspect = static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight());
    const vec3 target(static_cast<float>(8 * std::cos(t)), 0, static_cast<float>(8 * std::sin(t)));
    mat4 projection, view;
    if (stage == 0) {
        projection = mat4::perspectiveMatrix(120, aspect, 1, 12);
        view = mat4::lookAtMatrix(vec3(static_cast<float>(6 * std::cos(t)), 0, static_cast<float>(6 * std::sin(t))),
                                  vec3(0, 1, 0), vec3(0, 0, 0));
    } else if (stage == 1) {
        projection = mat4::perspectiveMatrix(120, aspect, 0.3f, 15);
        view = mat4::lookAtMatrix(vec3(static_cast<float>(std::sin(t)), 0, 0), vec3(0, 1, 1), target);
    } else {
        projection = mat4::perspectiveMatrix(120, aspect, 0.4f, 30);
        view = mat4::lookAtMatrix(vec3(static_cast<float>(std::sin(t)), static_cast<float>(8 * std::sin(t)), 0),
                                  vec3(0, 1, 1), target);
    }

    sceneTexture->begin();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (backgroundTexture)
        overlay->render(backgroundTexture.get(), false);

    const mat4 modelView = view * mat4::translationMatrix(0, 0, 0);
    if (shader) {
        shader->bind();
        shader->set("projectionMatrix", projection);
        shader->set("modelViewMatrix", modelView);
        shader->set("color", vec4(0, 0, 0, 0));
        shader->set("time", static_cast<float>(t));
        for (const auto& band : bands)
            band->render(shader.get());
    }
    if (colorShader) {
        colorShader->bind();
        colorShader->set("projectionMatrix", projection);
        colorShader->set("modelViewMatrix", modelView);
        colorShader->set("color", vec4(1, 1, 1, 1));
        for (const auto& ring : thinRings)
            ring->render(colorShader.get());
    }
    glDisable(GL_BLEND);
    sceneTexture->end();

    // The strength set now blurs the next frame. At strength 0 the blur would
    // copy the scene unchanged, so the scene is shown as it is.
    const vell::vec2& strength = blurFilter->getStrength();
    vell::Texture2D* shown = sceneTexture.get();
    if (strength.x != 0 || strength.y != 0) {
        blurFilter->apply(sceneTexture.get());
        shown = blurFilter.get();
    }
    blurFilter->setStrength(vell::vec2(blurStrength, blurStrength));
    overlay->render(shown, false);
}
