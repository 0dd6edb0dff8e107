#include "geom/FullScreenQuad.h"
#include "geom/Geometry.h"
#include "graphics/Shader.h"
#include "support/HeadlessGL.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

using namespace vell;

namespace {

const char* const flatShader = "//[VERT]\n"
                               "attribute vec2 position;\n"
                               "uniform mat4 transform;\n"
                               "void main() { gl_Position = transform * vec4(position, 0.0, 1.0); }\n"
                               "//[FRAG]\n"
                               "uniform vec4 color;\n"
                               "void main() { gl_FragColor = color; }\n";

// Declares color first: the renderer must follow the shader's order, not the streams'.
const char* const vertexColorShader = "//[VERT]\n"
                                      "attribute vec4 color;\n"
                                      "attribute vec2 position;\n"
                                      "varying vec4 vColor;\n"
                                      "void main() { vColor = color; gl_Position = vec4(position, 0.0, 1.0); }\n"
                                      "//[FRAG]\n"
                                      "varying vec4 vColor;\n"
                                      "void main() { gl_FragColor = vColor; }\n";

using Pixel = std::array<uint8_t, 4>;
const Pixel black = {0, 0, 0, 0};
const Pixel red = {255, 0, 0, 255};

class GeometryRenderTest : public HeadlessGLTest {
protected:
    std::unique_ptr<Shader> makeShader(const char* source)
    {
        auto shader = std::make_unique<Shader>();
        EXPECT_TRUE(shader->load(source));
        shader->bind();
        return shader;
    }

    static void setFlat(Shader& shader, const vec4& color, const mat4& transform = mat4::identityMatrix())
    {
        shader.bind();
        shader.set("color", color);
        shader.set("transform", transform);
    }

    // A triangle in pixel coordinates (origin bottom-left, on pixel centres), drawn as points.
    static std::unique_ptr<Geometry> triangle()
    {
        auto g = std::make_unique<Geometry>();
        g->setPrimitiveType(Geometry::POINTS);
        g->addAttrib("position", VEC2);
        g->setNumVertices(3);
        const float corners[3][2] = {{100, 50}, {380, 50}, {240, 270}};
        float* p = g->getAttrib("position", VEC2)->getBuffer();
        for (int k = 0; k < 3; ++k) {
            p[2 * k] = (corners[k][0] + 0.5f) / 240.0f - 1.0f;
            p[2 * k + 1] = (corners[k][1] + 0.5f) / 160.0f - 1.0f;
        }
        g->setNumIndices(3);
        g->setNumEdgeIndices(6);
        const uint16_t edges[6] = {0, 1, 1, 2, 2, 0};
        std::copy(edges, edges + 6, g->getEdgeIndices());
        for (uint16_t i = 0; i < 3; ++i)
            g->getIndices()[i] = i;
        return g;
    }

    static GLint arrayEnabled(GLuint location)
    {
        GLint enabled = 0;
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        return enabled;
    }
};

} // namespace

TEST_F(GeometryRenderTest, FullScreenQuadFillsTheFrame)
{
    auto shader = makeShader(flatShader);
    FullScreenQuad quad;
    setFlat(*shader, vec4(0, 1, 0, 1));
    quad.render(shader.get());
    const auto frame = readFrame();
    for (const auto& xy : {std::array<int, 2>{0, 0}, {479, 0}, {0, 319}, {479, 319}, {240, 160}})
        EXPECT_EQ(pixel(frame, xy[0], xy[1]), (Pixel{0, 255, 0, 255})) << xy[0] << "," << xy[1];
}

TEST_F(GeometryRenderTest, MatrixUniformGoesUpColumnMajor)
{
    auto shader = makeShader(flatShader);
    FullScreenQuad quad;
    setFlat(*shader, vec4(1, 0, 0, 1), mat4::translationMatrix(1, 0, 0)); // right half only
    quad.render(shader.get());
    const auto frame = readFrame();
    EXPECT_EQ(pixel(frame, 100, 160), black);
    EXPECT_EQ(pixel(frame, 380, 160), red);
}

TEST_F(GeometryRenderTest, RenderEdgesDrawsLinesWhateverThePrimitiveType)
{
    auto shader = makeShader(flatShader);
    auto g = triangle();
    setFlat(*shader, vec4(1, 0, 0, 1));
    g->renderEdges(shader.get());
    auto frame = readFrame();
    EXPECT_EQ(pixel(frame, 240, 319 - 50), red);  // bottom edge
    EXPECT_EQ(pixel(frame, 240, 319 - 150), black); // inside
    EXPECT_EQ(pixel(frame, 240, 319 - 30), black);  // below

    g->setPrimitiveType(Geometry::TRIANGLES);
    g->render(shader.get());
    frame = readFrame();
    EXPECT_EQ(pixel(frame, 240, 319 - 150), red);
}

TEST_F(GeometryRenderTest, StreamsFollowTheShadersDeclarationOrder)
{
    auto shader = makeShader(vertexColorShader);
    FullScreenQuad quad; // position, texCoord0
    quad.addAttrib("color", VEC4);
    float* colors = quad.getAttrib("color", VEC4)->getBuffer();
    for (int k = 0; k < 6; ++k) {
        colors[4 * k + 2] = 1.0f;
        colors[4 * k + 3] = 1.0f;
    }
    quad.render(shader.get());
    EXPECT_EQ(pixel(readFrame(), 240, 160), (Pixel{0, 0, 255, 255}));
}

TEST_F(GeometryRenderTest, MissingStreamsAndStaleArraysStayDisabled)
{
    auto colored = makeShader(vertexColorShader);
    FullScreenQuad withColor;
    withColor.addAttrib("color", VEC4);
    withColor.render(colored.get());
    EXPECT_TRUE(arrayEnabled(0));
    EXPECT_TRUE(arrayEnabled(1));

    // Same shader, a mesh without "color": location 0 is left disabled.
    FullScreenQuad plain;
    plain.render(colored.get());
    EXPECT_FALSE(arrayEnabled(0));
    EXPECT_TRUE(arrayEnabled(1));

    // A shader with one attribute: location 1 from the earlier draw is disabled.
    withColor.render(colored.get());
    auto flat = makeShader(flatShader);
    setFlat(*flat, vec4(1, 0, 0, 1));
    plain.render(flat.get());
    EXPECT_TRUE(arrayEnabled(0));
    EXPECT_FALSE(arrayEnabled(1));
    EXPECT_EQ(pixel(readFrame(), 240, 160), red);
}

TEST_F(GeometryRenderTest, NothingIsDrawnWithoutAValidShaderOrPastTheVertices)
{
    FullScreenQuad quad;
    Shader invalid;
    testing::internal::CaptureStdout();
    quad.render(nullptr);
    quad.render(&invalid);
    quad.renderEdges(&invalid);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    auto shader = makeShader(flatShader);
    setFlat(*shader, vec4(1, 0, 0, 1));
    quad.getIndices()[5] = 6; // one past the last vertex
    testing::internal::CaptureStdout();
    quad.render(shader.get());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: VAGeometryRenderer: index past the 6 vertices, draw skipped\n");
    EXPECT_EQ(pixel(readFrame(), 240, 160), black);

    // Index data changed in place shows on the next draw.
    quad.getIndices()[5] = 5;
    quad.render(shader.get());
    EXPECT_EQ(pixel(readFrame(), 240, 160), red);
}

TEST_F(GeometryRenderTest, StaticGeometryUploadsAgainOnlyWhenInvalidated)
{
    auto shader = makeShader(flatShader);
    setFlat(*shader, vec4(1, 0, 0, 1));
    FullScreenQuad quad;
    quad.makeStatic();
    quad.render(shader.get());
    EXPECT_EQ(pixel(readFrame(), 100, 160), red);

    // Vertices moved in place: the right half only once the renderer is told.
    float* p = quad.getAttrib("position", VEC2)->getBuffer();
    for (unsigned int k = 0; k < quad.getNumVertices(); ++k)
        p[2 * k] = std::max(p[2 * k], 0.0f);
    quad.invalidate();
    glClear(GL_COLOR_BUFFER_BIT);
    quad.render(shader.get());
    auto frame = readFrame();
    EXPECT_EQ(pixel(frame, 100, 160), black);
    EXPECT_EQ(pixel(frame, 380, 160), red);

    // Indices are read on every draw: none drawn, nothing shows, without invalidate().
    quad.setNumIndices(0);
    glClear(GL_COLOR_BUFFER_BIT);
    quad.render(shader.get());
    EXPECT_EQ(pixel(readFrame(), 380, 160), black);

    // A client-array mesh drawn next reads its own memory, not the buffer.
    FullScreenQuad plain;
    plain.render(shader.get());
    frame = readFrame();
    EXPECT_EQ(pixel(frame, 100, 160), red);
    EXPECT_EQ(pixel(frame, 380, 160), red);
}

TEST_F(GeometryRenderTest, StaticGeometryKeepsTheIndexCheck)
{
    auto shader = makeShader(flatShader);
    setFlat(*shader, vec4(1, 0, 0, 1));
    FullScreenQuad quad;
    quad.makeStatic();
    quad.render(shader.get()); // fits, and is not checked again until written
    glClear(GL_COLOR_BUFFER_BIT);
    quad.getIndices()[0] = 6;
    testing::internal::CaptureStdout();
    quad.render(shader.get());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: VAGeometryRenderer: index past the 6 vertices, draw skipped\n");
    EXPECT_EQ(pixel(readFrame(), 240, 160), black);

    // Fewer vertices under unchanged indices: checked again too.
    FullScreenQuad shrunk;
    shrunk.makeStatic();
    shrunk.render(shader.get());
    shrunk.setNumVertices(4);
    testing::internal::CaptureStdout();
    shrunk.render(shader.get());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: VAGeometryRenderer: index past the 4 vertices, draw skipped\n");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GeometryRenderTest, RangesDrawOnlyTheirRunsUpToTheEndOfTheList)
{
    auto shader = makeShader(flatShader);
    setFlat(*shader, vec4(1, 0, 0, 1));
    for (bool drawnStatic : {false, true}) {
        FullScreenQuad quad; // triangle 0 over the top-left half, triangle 1 over the bottom-right
        if (drawnStatic)
            quad.makeStatic();
        const IndexRange head{0, 3};
        glClear(GL_COLOR_BUFFER_BIT);
        quad.renderRanges(shader.get(), &head, 1);
        auto frame = readFrame();
        EXPECT_EQ(pixel(frame, 60, 40), red) << drawnStatic;
        EXPECT_EQ(pixel(frame, 420, 280), black) << drawnStatic;

        // A run past the end is cut there; one wholly beyond it draws nothing.
        const IndexRange tail[2] = {{3, 100}, {7, 3}};
        glClear(GL_COLOR_BUFFER_BIT);
        quad.renderRanges(shader.get(), tail, 2);
        frame = readFrame();
        EXPECT_EQ(pixel(frame, 60, 40), black) << drawnStatic;
        EXPECT_EQ(pixel(frame, 420, 280), red) << drawnStatic;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}
