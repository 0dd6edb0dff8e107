#include "demo/QuadLand2.h"

#include "demo/Tunnel.h"
#include "framework/EffectFactory.h"
#include "geom/FullScreenQuad.h"
#include "geom/Geometry.h"
#include "graphics/Overlay.h"
#include "graphics/RenderTexture.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/Mat.h"
#include "toolkit/NoiseLines.h"
#include "toolkit/QuadGrid.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cmath>

using vell::mat4;
using vell::vec3;
using vell::vec4;

REGISTER_EFFECT(QuadLand2, 1);

QuadLand2::QuadLand2()
{
    cellSize = 3.0f;
    gridWidth = 30;
    gridDepth = 30;
    heightScale = 1.0f;
    scrollSpeed = 1.0f;
    rowScroll = 0;
    detailScroll = 0;
    fillAlpha = 1.0f;
    edgeShader.reset(vell::Shader::fromFile("BasicColor.glsl", false));
    fillShader.reset(vell::Shader::fromFile("QuadLand2Fill.glsl", false));
    genLand();
    rippleAmplitude = 0;
    renderToTexture = false;
    logoAlpha = 0;
    overheadCamera = false;
    const int side = toPixels(256);
    renderTexture.reset(vell::RenderTexture::create(side, side, true));
    overlay = std::make_unique<vell::Overlay>();
    logoTexture.reset(vell::Texture2D::fromFile("mirandeLogo512x256.png", false));
    fullScreenQuad = std::make_unique<vell::FullScreenQuad>();
    mixShader.reset(vell::Shader::fromFile("LandMix.glsl", false));
    gradientTexture.reset(vell::Texture2D::fromFile("retroGradient02.png", false));
    cameraHeight = 8.0f;
}

QuadLand2::~QuadLand2() = default;

void QuadLand2::genLand()
{
    const double x0 = static_cast<double>(gridWidth * cellSize) / -2.0;
    geometry.reset(QuadGrid::build(gridWidth, gridDepth, cellSize, static_cast<float>(x0)));
    if (geometry) // a grid too large for 16-bit indices is refused (and logged) by the builder
        vell::Log::msg("Land %d", static_cast<int>(geometry->getNumVertices()));
}

void QuadLand2::updateLand()
{
    const float t = vell::Timer::getInstance()->getTime();
    advance();

    float* positions = geometry->getAttrib("position", vell::VEC3)->getBuffer();
    float* normals = geometry->getAttrib("normal", vell::VEC3)->getBuffer();
    const int W = gridWidth;
    const int D = gridDepth;
    const float s = cellSize;
    const double left = static_cast<double>(W * s) * 1.2 / -2.0;
    const vec3 centre(static_cast<float>(static_cast<double>((W / 2) * s) * 1.2 + left), 0,
                      static_cast<float>((-D / 2) * s));

    // Neighbouring quads of a row share corners: each corner's height is worked
    // out once per row, for both edges of the row.
    columnX.resize(static_cast<size_t>(W + 1));
    for (int column = 0; column <= W; ++column)
        columnX[column] = static_cast<float>(static_cast<double>(s * static_cast<float>(column)) * 1.2 + left);
    const auto ripple = [&](int column, float b) {
        // The flat look's ripple, from the corner's distance to the centre at height 0.
        const double d = length(vec3(columnX[column], 0, -b * s) - centre);
        return static_cast<float>(rippleAmplitude * std::sin(d * 0.3 + t * -5.0));
    };
    relief.resize(2 * static_cast<size_t>(W + 1));
    vec3 corners[QuadGrid::cornersPerQuad];
    for (int j = 0; j < D; ++j) {
        // Rows wrap around the field; each keeps the noise of its world position.
        const float r = static_cast<float>(j) + rowScroll;
        const int w = static_cast<int>(r) % D;
        const float fz = static_cast<float>(static_cast<int>(r) + w) - r;
        if (heightScale > 0)
            reliefRow((w + D) % D, fz);
        else if (rippleAmplitude == 0) // still: nothing to work out
            std::fill(relief.begin(), relief.end(), 0.0f);
        else
            for (int edge = 0; edge < 2; ++edge)
                for (int column = 0; column <= W; ++column)
                    relief[edge * (W + 1) + column] = ripple(column, fz + static_cast<float>(edge));
        // Corners (0, 0), (1, 0), (1, 1), (0, 1) in (column, row) steps.
        const float nearZ = -(fz + QuadGrid::cornerRow[0]) * s;
        const float farZ = -(fz + QuadGrid::cornerRow[2]) * s;
        const float* nearY = relief.data();
        const float* farY = nearY + W + 1;
        for (int i = 0; i < W; ++i) {
            corners[0] = vec3(columnX[i], nearY[i], nearZ);
            corners[1] = vec3(columnX[i + 1], nearY[i + 1], nearZ);
            corners[2] = vec3(columnX[i + 1], farY[i + 1], farZ);
            corners[3] = vec3(columnX[i], farY[i], farZ);
            QuadGrid::writeQuad(positions, normals, i * D + j, corners);
        }
    }
    geometry->invalidate();
}

void QuadLand2::advance()
{
    const float dt = vell::Timer::getInstance()->getFrameTime();
    rowScroll += (dt + dt) * scrollSpeed;
    detailScroll += dt * 5 * scrollSpeed;
    rippleAmplitude = static_cast<float>(rippleAmplitude * 0.95);
}

// The heights along both edges of the row at fz, whose near edge is lattice
// line `line` (0 .. gridDepth - 1): three octaves of noise at each corner. A
// row's far edge is the next row's near edge, and the coarse octave scrolls
// with the rows, so most lines come out of the octaves' line stores.
void QuadLand2::reliefRow(int line, float fz)
{
    const int columns = gridWidth + 1;
    if (octaves[0].columnCount() != columns || octaves[0].lineCount() != gridDepth + 1) {
        std::vector<float> x(static_cast<size_t>(columns));
        const double scales[] = {0.1, 0.2, 0.3};
        for (size_t o = 0; o < octaveCount; ++o) {
            for (int column = 0; column < columns; ++column)
                x[column] = static_cast<float>(scales[o] * static_cast<float>(column));
            octaves[o].reset(x, gridDepth + 1);
        }
    }
    for (int edge = 0; edge < 2; ++edge) {
        const float b = fz + static_cast<float>(edge);
        const float* coarse = octaves[0].at(line + edge, static_cast<float>(0.1 * (rowScroll + b)));
        const float* mid = octaves[1].at(line + edge, static_cast<float>(0.2 * (detailScroll + b)));
        const float* fine = octaves[2].at(line + edge, static_cast<float>(0.3 * (detailScroll + b)));
        float* heights = relief.data() + edge * columns;
        for (int c = 0; c < columns; ++c) {
            const double n = 3 * static_cast<double>(coarse[c]) + mid[c] + 0.5 * fine[c];
            heights[c] = static_cast<float>(n * heightScale * reliefFactor);
        }
    }
}

void QuadLand2::drawScene()
{
    if (!geometry)
        return;
    reliefFactor = overheadCamera ? 3.0f : 1.0f;
    updateLand();

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    const mat4 projection = mat4::perspectiveMatrix(
        60, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()), 0.1f, 100);
    const vec3 up(0, 1, 0);
    mat4 view = mat4::lookAtMatrix(vec3(0, cameraHeight, 3), up, vec3(0, 0, -30));
    if (overheadCamera) {
        const float h = static_cast<float>((-gridDepth) / 2) * cellSize;
        view = mat4::lookAtMatrix(vec3(0, 20, h - 10), up, vec3(0, 0, h));
    }

    if (heightScale > 0 && fillShader) {
        fillShader->bind();
        fillShader->set("projectionMatrix", projection);
        fillShader->set("modelViewMatrix", view * mat4::translationMatrix(0, 0, 0));
        fillShader->set("color", vec4(1, 0.5f, 0.1f, fillAlpha));
        geometry->render(fillShader.get());
    }
    if (edgeShader) {
        // Lifted a little so the lines stay above the fill.
        edgeShader->bind();
        edgeShader->set("projectionMatrix", projection);
        edgeShader->set("modelViewMatrix", view * mat4::translationMatrix(0, 0.02f, 0));
        edgeShader->set("color", heightScale > 0 ? vec4(0, 0, 0, 0.1f) : vec4(1, 1, 1, 0.5f));
        geometry->renderEdges(edgeShader.get());
    }
    glDisable(GL_BLEND);
}

void QuadLand2::draw()
{
    if (clearedBy && clearedBy->enabled && Tunnel::clearsFrame(vell::Timer::getInstance()->getTime())) {
        uncoveredPending = false;
        advance();
        return;
    }
    if (!renderToTexture) {
        drawScene();
        return;
    }
    renderTexture->begin();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene();
    if (logoAlpha > 0)
        drawLogo();
    renderTexture->end();
    uncoveredPending = cover && cover->enabled;
    if (!uncoveredPending)
        addOntoScreen();
}

void QuadLand2::addUncovered()
{
    if (!uncoveredPending)
        return;
    uncoveredPending = false;
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    addOntoScreen();
}

// The off-screen scene onto the screen, then any non-zero logo alpha over it (a
// negative one too: it only darkens).
void QuadLand2::addOntoScreen()
{
    mixOntoScreen();
    if (logoAlpha != 0)
        drawLogo();
}

// The logo over whatever is bound.
void QuadLand2::drawLogo()
{
    if (!logoTexture)
        return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_COLOR);
    overlay->color.w = logoAlpha;
    overlay->render(logoTexture.get(), true);
    glDisable(GL_BLEND);
}

// Adds the off-screen scene, mixed with the gradient, onto the screen. Leaves
// additive blending on.
void QuadLand2::mixOntoScreen()
{
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    renderTexture->bind();
    glActiveTexture(GL_TEXTURE1);
    if (gradientTexture)
        gradientTexture->bind();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    if (mixShader) {
        mixShader->bind();
        mixShader->set("baseTex", 0);
        mixShader->set("blendTex", 1);
        fullScreenQuad->render(mixShader.get());
    }
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE0);
}
