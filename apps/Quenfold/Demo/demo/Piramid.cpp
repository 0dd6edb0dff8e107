#include "demo/Piramid.h"

#include "demo/QuadLand2.h"
#include "geom/Geometry.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "graphics/VertexAttrib.h"
#include "math/Mat.h"
#include "toolkit/GeometryBuilder.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cmath>

using vell::mat4;
using vell::vec2;
using vell::vec3;
using vell::vec4;

namespace {

// Two triangles and four outline edges per cell of a rows x columns grid whose
// vertex (r, c) is base + c + (columns + 1) r.
void addGridCells(GeometryBuilder& builder, int base, int rows, int columns)
{
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int v00 = base + c + (columns + 1) * r;
            const int v01 = v00 + 1;
            const int v10 = v00 + columns + 1;
            const int v11 = v10 + 1;
            builder.addTriangle(v00, v01, v11);
            builder.addTriangle(v00, v11, v10);
            builder.addEdge(v00, v01);
            builder.addEdge(v01, v11);
            builder.addEdge(v11, v10);
            builder.addEdge(v10, v00);
        }
    }
}

} // namespace

Piramid::Piramid()
{
    pyramid.reset(genPiramid(10, 7, 10, 5, 5, 5, 1.0f, 0, 0));
    shader.reset(vell::Shader::fromFile("Piramid.glsl", false));
    pyramidZ = 0;
    cameraHeight = 8.0f;
    faceTexture.reset(vell::Texture2D::fromFile("whitePiramid2.png", false));
    overheadCamera = false;
    pyramidY = 0;
    rotationAngle = 0;
    freezeRotation = false;
    fillColor = vec4(1, 1, 1, 1);
    edgeColor = vec4(0, 0, 0, 1);
}

Piramid::~Piramid() = default;

vell::Geometry* Piramid::genPiramid(float width, float height, float depth, int segmentsX, int segmentsY,
                                    int segmentsZ, float bottomScale, float topScale, float baseY)
{
    const int X = std::max(segmentsX, 1);
    const int Y = std::max(segmentsY, 1);
    const int Z = std::max(segmentsZ, 1);
    GeometryBuilder builder;
    int base = 0;
    // Row a of a side: its height and taper as (taper, 1, taper).
    auto level = [&](int a, float* y) {
        const float v = static_cast<float>(a) / static_cast<float>(Y);
        *y = v * height + baseY;
        const float t = v * (topScale - bottomScale) + bottomScale;
        return vec3(t, 1, t);
    };

    // Sides at +x and -x (columns along z, mirrored at -x), then +z and -z (columns along x).
    struct Side {
        bool facesX;
        float sign;
    };
    for (const Side side : {Side{true, 1}, Side{true, -1}, Side{false, 1}, Side{false, -1}}) {
        const int columns = side.facesX ? Z : X;
        for (int a = 0; a <= Y; ++a) {
            float y;
            const vec3 taper = level(a, &y);
            for (int c = 0; c <= columns; ++c) {
                const float u = static_cast<float>(c) / static_cast<float>(columns);
                const vec3 raw = side.facesX ? vec3(side.sign * width / 2, y, side.sign * (u * depth - depth / 2))
                                             : vec3(u * width - width / 2, y, side.sign * depth / 2);
                builder.add("position", raw * taper);
                builder.add("texCoord0", vec2(u, static_cast<float>(a) / static_cast<float>(Y)));
            }
        }
        addGridCells(builder, base, Y, columns);
        base += (Y + 1) * (columns + 1);
    }
    // Bottom.
    const vec3 bottomTaper(bottomScale, 1, bottomScale);
    for (int e = 0; e <= Z; ++e) {
        for (int f = 0; f <= X; ++f) {
            const vec3 raw(static_cast<float>(f) / static_cast<float>(X) * width - width / 2, baseY,
                           static_cast<float>(e) / static_cast<float>(Z) * depth - depth / 2);
            builder.add("position", raw * bottomTaper);
            builder.add("texCoord0", vec2(0, 0));
        }
    }
    addGridCells(builder, base, Z, X);
    return builder.build(vell::Geometry::TRIANGLES);
}

void Piramid::draw()
{
    if (!freezeRotation)
        rotationAngle = vell::Timer::getInstance()->getTime() * 5;

    // Mark every pixel the pyramid covers; the test stays on for later effects.
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    markDrawnPixels();

    const vec3 up(0, 1, 0);
    mat4 view = mat4::lookAtMatrix(vec3(0, cameraHeight, 2), up, vec3(0, 0, -30));
    if (overheadCamera) {
        view = mat4::lookAtMatrix(vec3(0, 20, -55), up, vec3(0, 0, -45));
        pyramidZ = -45;
    }

    glDisable(GL_BLEND);
    drawMarked(view);
    // The landscape that waited shows only where the pyramid did not draw.
    if (ground) {
        ground->addUncovered();
        markDrawnPixels();
        glDisable(GL_BLEND);
    }
}

void Piramid::markDrawnPixels()
{
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
}

void Piramid::drawMarked(const mat4& view)
{
    if (!shader)
        return;
    const mat4 projection = mat4::perspectiveMatrix(
        60, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()), 0.1f, 200);
    if (faceTexture)
        faceTexture->bind();
    shader->bind();
    shader->set("projectionMatrix", projection);
    const mat4 modelView = view * mat4::translationMatrix(0, pyramidY + 5, pyramidZ) *
                           mat4::rotationMatrix(vec3(0, 1, 0), rotationAngle);

    shader->set("modelViewMatrix", modelView);
    shader->set("color", fillColor);
    shader->set("dz", 0.0f);
    shader->set("useTexture", 0.0f);
    pyramid->render(shader.get());

    markedTransform = projection * modelView;
    markedFrame = vell::Timer::getInstance()->getTotalFrameCount();

    shader->set("modelViewMatrix", modelView);
    shader->set("color", edgeColor);
    shader->set("dz", -0.001f);
    shader->set("useTexture", 0.0f);
    pyramid->renderEdges(shader.get());
}

// Worked out only when asked for: the tunnel is not always there to ask.
bool Piramid::takeMarkedRect(int rect[4])
{
    const bool drawnThisFrame = markedFrame == vell::Timer::getInstance()->getTotalFrameCount();
    markedFrame = -1;
    if (!drawnThisFrame)
        return false;
    const int width = static_cast<int>(getPixelWidth()), height = static_cast<int>(getPixelHeight());
    rect[0] = 0, rect[1] = 0, rect[2] = width, rect[3] = height;
    const vell::VertexAttrib* positions = pyramid->getAttrib("position", vell::VEC3);
    const float* p = positions ? positions->getBuffer() : nullptr;
    float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f;
    bool inFront = p != nullptr;
    for (unsigned int i = 0; inFront && i < pyramid->getNumVertices(); ++i) {
        const vec4 c = markedTransform * vec4(p[3 * i], p[3 * i + 1], p[3 * i + 2], 1);
        inFront = c.w > 1e-3f; // a corner at or behind the eye: the whole window
        x0 = std::min(x0, c.x / c.w), x1 = std::max(x1, c.x / c.w);
        y0 = std::min(y0, c.y / c.w), y1 = std::max(y1, c.y / c.w);
    }
    if (inFront) {
        // Two points of margin hold the one-point outline drawn along the edges.
        const int margin = toPixels(2);
        const auto toPixel = [margin](float ndc, int size) {
            const float reach = static_cast<float>(2 * margin);
            return std::clamp((ndc * 0.5f + 0.5f) * static_cast<float>(size), -reach, static_cast<float>(size) + reach);
        };
        rect[0] = std::max(0, static_cast<int>(std::floor(toPixel(x0, width))) - margin);
        rect[1] = std::max(0, static_cast<int>(std::floor(toPixel(y0, height))) - margin);
        rect[2] = std::max(0, std::min(width, static_cast<int>(std::ceil(toPixel(x1, width))) + margin) - rect[0]);
        rect[3] = std::max(0, std::min(height, static_cast<int>(std::ceil(toPixel(y1, height))) + margin) - rect[1]);
    }
    return true;
}
