#pragma once

#include "geom/Geometry.h"
#include "math/Vec.h"
#include "toolkit/GlyphAdvances.h"

#include <memory>
#include <string>

namespace vell {
class Shader;
class Texture2D;
} // namespace vell

// Immediate-mode 2D overlay in window pixels, origin at the top-left: filled and
// outlined rectangles and one-line bitmap text. Vertices are in canvas units,
// (0, 0) bottom-left to (1, 1) top-right; the shaders span the viewport with them.
class Canvas {
public:
    static constexpr int glyphWidth = 16;
    static constexpr int glyphHeight = 14; // top rows of each 16 x 16 atlas cell

    Canvas(int width, int height);
    ~Canvas();

    // Depth off, alpha blending on, both colours white.
    void begin();
    // Blending off, depth test and writes on.
    void end();

    void fillStyle(const vell::vec4& c) { fillColor = c; }
    void strokeStyle(const vell::vec4& c) { strokeColor = c; }
    void fillRect(float x, float y, float w, float h);
    void strokeRect(float x, float y, float w, float h);
    // Each byte is one glyph; codes without a glyph (negative as signed bytes) are
    // skipped, and nothing is drawn while the metrics are unusable. Glyphs past the
    // 16384th are dropped.
    void printText(int x, int y, const std::string& text);
    // How far printText moves the pen for text, in pixels.
    float textWidth(const std::string& text) const;

    // The meshes the drawing calls emit; the caller owns them.
    vell::Geometry* rectGeometry(float x, float y, float w, float h, vell::Geometry::PrimitiveType type) const;
    vell::Geometry* textGeometry(int x, int y, const std::string& text) const;

    std::unique_ptr<vell::Shader> fontShader;
    std::unique_ptr<vell::Shader> colorShader;
    std::unique_ptr<vell::Texture2D> fontTexture;
    GlyphAdvances glyphAdvances;
    float width;
    float height;
    vell::vec4 fillColor;
    vell::vec4 strokeColor;

private:
    void drawRect(float x, float y, float w, float h, vell::Geometry::PrimitiveType type, const vell::vec4& color);
};
