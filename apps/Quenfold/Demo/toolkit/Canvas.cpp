#include "toolkit/Canvas.h"

#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "toolkit/GeometryBuilder.h"

#include <GLES2/gl2.h>

#include <algorithm>

using vell::Geometry;
using vell::vec2;
using vell::vec3;
using vell::vec4;

Canvas::Canvas(int widthPixels, int heightPixels)
    : fontShader(vell::Shader::fromFile("CanvasFont.glsl", false)),
      colorShader(vell::Shader::fromFile("CanvasColor.glsl", false)),
      fontTexture(vell::Texture2D::fromFile("FontSupernatural.png", false)), glyphAdvances("FontSupernatural.dat"),
      width(static_cast<float>(widthPixels)), height(static_cast<float>(heightPixels))
{
}

Canvas::~Canvas() = default;

void Canvas::begin()
{
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    fillColor = vec4(1, 1, 1, 1);
    strokeColor = vec4(1, 1, 1, 1);
}

void Canvas::end()
{
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

Geometry* Canvas::rectGeometry(float x, float y, float w, float h, Geometry::PrimitiveType type) const
{
    const float x0 = x / width;
    const float y0 = (height - y) / height;
    const float dw = w / width;
    const float dh = h / height;
    GeometryBuilder builder;
    builder.reserve(4, 8); // one allocation per list instead of one per growth step
    builder.add("position", vec3(x0, y0, 0));
    builder.add("position", vec3(x0 + dw, y0, 0));
    builder.add("position", vec3(x0 + dw, y0 - dh, 0));
    builder.add("position", vec3(x0, y0 - dh, 0));
    if (type == Geometry::LINES) {
        builder.addLine(0, 1);
        builder.addLine(1, 2);
        builder.addLine(2, 3);
        builder.addLine(3, 0);
    } else {
        builder.addTriangle(0, 2, 3);
        builder.addTriangle(0, 1, 2);
    }
    return builder.build(type);
}

void Canvas::drawRect(float x, float y, float w, float h, Geometry::PrimitiveType type, const vec4& color)
{
    std::unique_ptr<Geometry> rect(rectGeometry(x, y, w, h, type));
    if (!colorShader)
        return;
    colorShader->bind();
    colorShader->set("color", color);
    rect->render(colorShader.get());
}

void Canvas::fillRect(float x, float y, float w, float h) { drawRect(x, y, w, h, Geometry::TRIANGLES, fillColor); }

void Canvas::strokeRect(float x, float y, float w, float h) { drawRect(x, y, w, h, Geometry::LINES, strokeColor); }

float Canvas::textWidth(const std::string& text) const
{
    float pen = 0;
    for (const char byte : text) {
        const int c = static_cast<signed char>(byte);
        if (c >= 0 && glyphAdvances.isUsable())
            pen += glyphAdvances.advance(c);
    }
    return pen;
}

Geometry* Canvas::textGeometry(int x, int y, const std::string& text) const
{
    constexpr float atlasSize = 256;
    constexpr float du = glyphWidth / atlasSize;
    constexpr float dv = glyphHeight / atlasSize;
    const float y0 = (height - static_cast<float>(y) - 16) / height;
    const float dw = glyphWidth / width;
    const float dh = glyphHeight / height;
    GeometryBuilder builder;
    const size_t glyphs = std::min<size_t>(text.size(), 65536 / 4);
    builder.reserve(4 * glyphs, 6 * glyphs);
    float penX = static_cast<float>(x);
    int b = 0;
    for (const char byte : text) {
        const int c = static_cast<signed char>(byte);
        if (c < 0 || !glyphAdvances.isUsable())
            continue;
        if (b + 4 > 65536)
            break; // 16-bit indices address no more glyphs
        const float x0 = penX / width;
        penX += glyphAdvances.advance(c);
        const float u = static_cast<float>(c % 16 * 16) / atlasSize;
        const float v = static_cast<float>(c / 16 * 16) / atlasSize;
        builder.add("position", vec3(x0, y0, 0));
        builder.add("texCoord0", vec2(u, v + dv));
        builder.add("position", vec3(x0 + dw, y0, 0));
        builder.add("texCoord0", vec2(u + du, v + dv));
        builder.add("position", vec3(x0 + dw, y0 + dh, 0));
        builder.add("texCoord0", vec2(u + du, v));
        builder.add("position", vec3(x0, y0 + dh, 0));
        builder.add("texCoord0", vec2(u, v));
        builder.addTriangle(b, b + 2, b + 3);
        builder.addTriangle(b, b + 1, b + 2);
        b += 4;
    }
    return builder.build(Geometry::TRIANGLES);
}

void Canvas::printText(int x, int y, const std::string& text)
{
    if (!fontShader)
        return;
    std::unique_ptr<Geometry> glyphs(textGeometry(x, y, text));
    glActiveTexture(GL_TEXTURE0);
    if (fontTexture)
        fontTexture->bind();
    fontShader->bind();
    fontShader->set("fontTex", 0);
    fontShader->set("color", fillColor);
    glyphs->render(fontShader.get());
}
