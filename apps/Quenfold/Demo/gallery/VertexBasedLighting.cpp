#include "gallery/VertexBasedLighting.h"

#include "filters/BlurFilter.h"
#include "framework/EffectFactory.h"
#include "geom/Torus.h"
#include "graphics/Overlay.h"
#include "graphics/RenderTexture.h"
#include "graphics/Shader.h"
#include "math/MathUtils.h"
#include "toolkit/Canvas.h"
#include "toolkit/Font.h"
#include "toolkit/Orbit.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

using namespace vell;

REGISTER_EFFECT(VertexBasedLighting, 14);

namespace {

const char* const labels[8] = {"L VERT", "L PIX", "R BIG", "R SML ", "N SIDE", "N SEGM", "COLOR", "BLUR"};
const vec4 c0(0.02f, 0.08f, 0.2f, 0.8f);
const vec4 c1(0.03f, 0.12f, 0.3f, 1);
const vec4 c2(0.04f, 0.2f, 0.4f, 1);
const vec4 white(1, 1, 1, 1);

} // namespace

VertexBasedLighting::VertexBasedLighting() : color(0.6f, 0.6f, 0.6f)
{
    perVertexShader.reset(Shader::fromFile("PointLightPerVertex.glsl", false));
    perPixelShader.reset(Shader::fromFile("PointLightPerPixel.glsl", false));
    torus = std::make_unique<Torus>(bigRadius, smallRadius, sides, segments);
    font = std::make_unique<Font>(static_cast<int>(getWindowWidth()), static_cast<int>(getWindowHeight()));
    canvas = std::make_unique<Canvas>(static_cast<int>(getWindowWidth()), static_cast<int>(getWindowHeight()));
    const int targetSize = toPixels(256);
    sceneTexture.reset(RenderTexture::create(targetSize, targetSize, true));
    overlay = std::make_unique<Overlay>();
    blurFilter.reset(BlurFilter::create(targetSize, targetSize));
}

VertexBasedLighting::~VertexBasedLighting() = default;

void VertexBasedLighting::onMouseDown(int x, int y, int touchCount)
{
    touchStartY = static_cast<float>(y);
    Log::msg("%d %d", x, y);
    touchPosition = vec2(static_cast<float>(x), static_cast<float>(y));
    if (x >= buttonWidth || y < 0)
        return;
    float* const values[8] = {nullptr, nullptr, &bigRadiusValue, &smallRadiusValue,
                              &sidesValue, &segmentsValue, &color.x, &blurAmount};
    const int row = y / buttonHeight;
    if (row == 0 || row == 1)
        perVertex = row == 0;
    else if (row < 8)
        toggle(row, values[row]);
}

void VertexBasedLighting::toggle(int row, float* value)
{
    if (selectedButton == row) {
        selectedButton = 1; // no control row
        activeSlider = nullptr;
    } else {
        selectedButton = row;
        activeSlider = value;
    }
}

void VertexBasedLighting::onMouseMove(int x, int y, int touchCount)
{
    const float v = static_cast<float>(y) / static_cast<float>(getWindowHeight());
    if (!activeSlider || x <= static_cast<int>(getWindowWidth()) - buttonWidth)
        return;
    if (activeSlider == &color.x)
        dragColor(v);
    else // top 1, bottom 0; a drag beyond the view stops at the ends
        *activeSlider = clamp(1 - v, 0, 1);
}

// The third of the screen where the drag began picks the channel; each third
// runs from 1 at its top to 0 at its bottom.
void VertexBasedLighting::dragColor(float v)
{
    const float a = touchStartY / static_cast<float>(getWindowHeight());
    if (a < 0.333f) {
        const double logged = static_cast<double>(v) / -0.333333 + 1;
        Log::msg("r:%f", logged < 0 ? 0.0 : logged > 1 ? 1.0 : logged);
        color.x = clamp(v / -0.333f + 1, 0, 1);
    } else if (a < 0.6663f) {
        color.y = clamp((v - 0.333f) / -0.333f + 1, 0, 1);
    } else {
        color.z = clamp((v - 0.666f) / -0.333f + 1, 0, 1);
    }
}

bool VertexBasedLighting::updateTorus()
{
    bool changed = false;
    if (bigRadius != bigRadiusValue) {
        bigRadius = bigRadiusValue;
        changed = true;
    }
    if (smallRadius != smallRadiusValue) {
        smallRadius = smallRadiusValue;
        changed = true;
    }
    const int n = static_cast<int>(remap(sidesValue, 0, 1, 4, 16));
    if (n != sides) {
        sides = n;
        changed = true;
    }
    const int m = static_cast<int>(remap(segmentsValue, 0, 1, 4, 20));
    if (m != segments) {
        segments = m;
        changed = true;
    }
    if (changed)
        torus = std::make_unique<Torus>(bigRadius, smallRadius, sides, segments);
    return changed;
}

void VertexBasedLighting::draw()
{
    advanceClock();
    updateTorus();
    drawScene();
    if (blurAmount > 0) {
        blurFilter->setStrength(vec2(blurAmount * 5, blurAmount * 5));
        blurFilter->apply(sceneTexture.get());
        overlay->render(blurFilter.get(), false);
    } else {
        // A blur of strength 0 would copy the scene unchanged through four passes.
        overlay->render(sceneTexture.get(), false);
    }
    drawControls();
}

void VertexBasedLighting::drawScene()
{
    const float t = Timer::getInstance()->getTime();
    sceneTexture->begin();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const mat4 view = mat4::lookAtMatrix(vec3(0, 1, 3), vec3(0, 1, 0), vec3(0, 0, 0));
    Shader* shader = perVertex ? perVertexShader.get() : perPixelShader.get();
    spinAngle += spinSpeed;
    spinSpeed = static_cast<float>(spinSpeed * 0.95);
    if (shader) {
        shader->bind();
        shader->set("projectionMatrix", Orbit::windowProjection());
        shader->set("modelWorldMatrix", mat4::translationMatrix(0, 0, 0));
        shader->set("modelViewMatrix", view * mat4::rotationMatrix(vec3(1, 0, 0), spinAngle * 5) *
                                           mat4::rotationMatrix(vec3(0, 1, 0), t * 50));
        shader->set("lightPos", vec3(3, 3, 0));
        shader->set("color", color);
        torus->render(shader);
    }
    sceneTexture->end();
}

void VertexBasedLighting::drawControls()
{
    const float bw = static_cast<float>(buttonWidth);
    const float bh = static_cast<float>(buttonHeight);
    Canvas& c = *canvas;
    c.begin();
    c.strokeStyle(c2);
    for (int r = 0; r < 2; ++r) {
        c.fillStyle(perVertex == (r == 0) ? c2 : c0);
        c.fillRect(1, 1 + r * bh, bw - 2, bh - 2);
    }
    c.strokeRect(1, 1, bw - 2, 2 * bh - 4);
    for (int r = 2; r < 8; ++r) {
        const bool selected = r == selectedButton;
        c.fillStyle(selected ? c2 : c1);
        c.fillRect(1, 1 + r * bh, bw - 2, bh - 2);
        c.strokeStyle(selected ? white : c2);
        c.strokeRect(1, 1 + r * bh, bw - 2, bh - 2);
    }

    const float x0 = 481 - bw;
    if (activeSlider == &color.x) {
        c.fillStyle(c0);
        c.fillRect(x0, 1, 62, 318);
        const float bars[3][2] = {{105, color.x}, {212, color.y}, {322, color.z}};
        const vec4 pure[3] = {vec4(1, 0, 0, 1), vec4(0, 1, 0, 1), vec4(0, 0, 1, 1)};
        for (int i = 0; i < 3; ++i) {
            c.fillStyle(pure[i]);
            c.fillRect(x0, bars[i][0] - 104 * bars[i][1], 62, 104 * bars[i][1]);
        }
        c.strokeStyle(white);
        c.strokeRect(x0, 1, 62, 105);
        c.strokeRect(x0, 108, 62, 104);
        c.strokeRect(x0, 214, 62, 105);
    } else if (activeSlider) {
        c.fillStyle(c0);
        c.fillRect(x0, 1, 62, 318);
        c.fillStyle(c1);
        c.fillRect(x0, 321 - 320 * *activeSlider, 62, 320 * *activeSlider);
        c.strokeStyle(white);
        c.strokeRect(x0, 1, 62, 318);
    }

    c.fillStyle(white);
    for (int r = 0; r < 8; ++r)
        c.printText(10, r * buttonHeight + buttonHeight / 2 - 8, labels[r]);
    c.end();
}
