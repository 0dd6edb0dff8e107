#include "HeadlessContext.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/ScaledFrames.h"
#include "support/ScratchResources.h"
#include "toolkit/Canvas.h"
#include "toolkit/Font.h"

#include "graphics/Shader.h"
#include "graphics/Texture2D.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>

using vell::Geometry;
using vell::vec4;

namespace {

using Pixel = std::array<uint8_t, 4>;

std::string resourceBytes(const std::string& name)
{
    std::ifstream in(std::string(QUENFOLD_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<float> stream(const Geometry& g, const char* name, vell::DataType type)
{
    const vell::VertexAttrib* attrib = g.getAttrib(name, type);
    if (!attrib || !attrib->getBuffer())
        return {};
    return std::vector<float>(attrib->getBuffer(), attrib->getBuffer() + attrib->getNumVertices() * attrib->getSize());
}

std::vector<uint16_t> indices(const Geometry& g)
{
    return std::vector<uint16_t>(g.getIndices(), g.getIndices() + g.getNumIndices());
}

// Half-bright red panel with a white outline, a green bar and two lines of text.
void drawTestScene(Canvas& c)
{
    c.begin();
    c.fillStyle(vec4(0.8f, 0.1f, 0.2f, 0.5f));
    c.fillRect(20, 20, 200, 60);
    c.strokeRect(20.5f, 20.5f, 200, 60);
    c.fillStyle(vec4(0.2f, 0.9f, 0.4f, 1));
    c.fillRect(20, 100, 150, 10);
    c.fillStyle(vec4(1, 1, 1, 1));
    c.printText(30, 30, "Quenfold 60 fps");
    c.fillStyle(vec4(1, 0.85f, 0.3f, 1));
    c.printText(30, 52, "AaBbCc 0123456789 !?");
    c.end();
}

// The test scene drawn at 4x (1920x1280) by a canvas made at that scale.
std::vector<uint8_t> sceneAtFourTimes()
{
    ScaleScope four(4);
    TestApp scaled;
    scaled.init();
    glBindFramebuffer(GL_FRAMEBUFFER, scaled.framebuffer);
    scaled.draw();
    Canvas canvas(480, 320);
    drawTestScene(canvas);
    return HeadlessContext::readFrame();
}

// Detail finer than a point in the text lines of a 4x frame (points 30..215
// across, inside the panel, and 32..68 down): the share, in percent, of RGB
// values that differ by more than 64 levels from the frame box-filtered to 1x
// and scaled back up bilinearly.
double detailFinerThanAPoint(const std::vector<uint8_t>& frame)
{
    constexpr int s = 4, w = 480 * s;
    const std::vector<uint8_t> small = boxFiltered(frame, s);
    auto at = [&](int x, int y, int c) {
        x = std::clamp(x, 0, 479);
        y = std::clamp(y, 0, 319);
        return static_cast<double>(small[(static_cast<size_t>(y) * 480 + x) * 4 + c]);
    };
    long over = 0, count = 0;
    for (int y = 32 * s; y < 68 * s; ++y)
        for (int x = 30 * s; x < 215 * s; ++x) {
            const double fx = (x + 0.5) / s - 0.5, fy = (y + 0.5) / s - 0.5;
            const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
            const double tx = fx - x0, ty = fy - y0;
            for (int c = 0; c < 3; ++c) {
                const double up = (at(x0, y0, c) * (1 - tx) + at(x0 + 1, y0, c) * tx) * (1 - ty) +
                                  (at(x0, y0 + 1, c) * (1 - tx) + at(x0 + 1, y0 + 1, c) * tx) * ty;
                over += std::abs(frame[(static_cast<size_t>(y) * w + x) * 4 + c] - up) > 64;
                ++count;
            }
        }
    return 100.0 * static_cast<double>(over) / static_cast<double>(count);
}

class CanvasTest : public HeadlessGLTest {
protected:
    void SetUp() override
    {
        HeadlessGLTest::SetUp();
        owned = std::make_unique<Canvas>(480, 320);
    }

    std::unique_ptr<Canvas> owned;
    Canvas& canvas() { return *owned; }
};

} // namespace

TEST_F(CanvasTest, RectanglesCoverTheirWindowPixels)
{
    std::unique_ptr<Geometry> whole(canvas().rectGeometry(0, 0, 480, 320, Geometry::TRIANGLES));
    EXPECT_EQ(stream(*whole, "position", vell::VEC3), (std::vector<float>{0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0}));

    canvas().begin();
    canvas().fillStyle(vec4(1, 0, 0, 1));
    canvas().fillRect(10, 20, 30, 40);
    canvas().strokeStyle(vec4(0, 1, 0, 1));
    canvas().strokeRect(100.5f, 100.5f, 50, 30); // through the centres of rows 100, 130 and columns 100, 150
    canvas().end();
    const auto frame = readFrame();
    const Pixel red{255, 0, 0, 255}, green{0, 255, 0, 255}, black{0, 0, 0, 0};
    for (auto [x, y] : {std::pair{10, 20}, {39, 59}})
        EXPECT_EQ(pixel(frame, x, y), red) << x << "," << y;
    for (auto [x, y] : {std::pair{9, 20}, {40, 20}, {10, 19}, {10, 60}, {125, 115}})
        EXPECT_EQ(pixel(frame, x, y), black) << x << "," << y;
    for (auto [x, y] : {std::pair{125, 100}, {125, 130}, {100, 115}, {150, 115}})
        EXPECT_EQ(pixel(frame, x, y), green) << x << "," << y;
}

TEST_F(CanvasTest, TextQuadsAdvanceByTheMetricsAndSampleTheirAtlasCells)
{
    const std::string metrics = resourceBytes("FontSupernatural.dat");
    ASSERT_GE(metrics.size(), 128u);
    const int penB = 10 + static_cast<signed char>(metrics[65]) + 1;
    std::unique_ptr<Geometry> text(canvas().textGeometry(10, 20, "AB"));
    ASSERT_EQ(text->getNumVertices(), 8u);
    EXPECT_EQ(indices(*text), (std::vector<uint16_t>{0, 2, 3, 0, 1, 2, 4, 6, 7, 4, 5, 6}));
    const std::vector<float> p = stream(*text, "position", vell::VEC3);
    const std::vector<float> uv = stream(*text, "texCoord0", vell::VEC2);
    // Rows 22 to 36 from the top of 320: canvas y from 284/320 up to 298/320.
    const float bottom = 284 / 320.0f, top = 298 / 320.0f;
    for (int glyph = 0; glyph < 2; ++glyph) {
        const float left = (glyph == 0 ? 10 : penB) / 480.0f;
        const float right = left + 16 / 480.0f;
        const float u = glyph == 0 ? 0.0625f : 0.125f; // columns 1 and 2 of row 4
        const std::vector<float> expectP{left, bottom, 0, right, bottom, 0, right, top, 0, left, top, 0};
        const std::vector<float> expectUV{u, 0.3046875f, u + 0.0625f, 0.3046875f, u + 0.0625f, 0.25f, u, 0.25f};
        for (size_t i = 0; i < 12; ++i)
            EXPECT_FLOAT_EQ(p[glyph * 12 + i], expectP[i]) << glyph << " " << i;
        for (size_t i = 0; i < 8; ++i)
            EXPECT_FLOAT_EQ(uv[glyph * 8 + i], expectUV[i]) << glyph << " " << i;
    }

    // Codes without a glyph take no room; an empty string builds an empty mesh and draws nothing.
    std::unique_ptr<Geometry> skipped(canvas().textGeometry(10, 20, "A\xC3\xA9" "B"));
    EXPECT_EQ(stream(*skipped, "position", vell::VEC3), p);
    std::unique_ptr<Geometry> empty(canvas().textGeometry(10, 20, ""));
    EXPECT_EQ(empty->getNumIndices(), 0u);
    // 16-bit indices reach 65536 vertices: 16384 glyphs, the last one's corners 65532..65535.
    std::unique_ptr<Geometry> longest(canvas().textGeometry(0, 0, std::string(16385, 'A')));
    ASSERT_EQ(longest->getNumVertices(), 65536u);
    ASSERT_EQ(longest->getNumIndices(), 16384u * 6);
    EXPECT_EQ(indices(*longest).back(), 65534);
    EXPECT_EQ(*std::max_element(longest->getIndices(), longest->getIndices() + longest->getNumIndices()), 65535);
    canvas().begin();
    canvas().printText(10, 20, "");
    canvas().end();
    const auto frame = readFrame();
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](uint8_t v) { return v == 0; }));
}

TEST_F(CanvasTest, BeginSetsOverlayStateAndWhiteAndEndRestoresDepthWithoutBlending)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    canvas().fillStyle(vec4(1, 0, 0, 1));
    canvas().begin();
    GLint source = 0, destination = 0;
    GLboolean depthWrites = GL_TRUE;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(depthWrites, GL_FALSE);
    for (const vec4& c : {canvas().fillColor, canvas().strokeColor})
        EXPECT_TRUE(c.x == 1 && c.y == 1 && c.z == 1 && c.w == 1);
    canvas().end();
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(depthWrites, GL_TRUE);
}

TEST_F(CanvasTest, GoldenTextAndRectangles)
{
    drawTestScene(canvas());
    const auto frame = readFrame();
    // The panel at alpha 0.5 over black: 0.4 red, 0.05 green, 0.1 blue.
    const Pixel panel = pixel(frame, 200, 75);
    EXPECT_NEAR(panel[0], 102, 1);
    EXPECT_NEAR(panel[1], 13, 1);
    EXPECT_NEAR(panel[2], 25.5, 1);
    EXPECT_TRUE(matchesGolden(frame, 480, 320, "CanvasTextAndRectangles"));
}

// Metrics that are missing or too short leave the text out; the rest still loads.
// Each broken file is logged once, however many canvases read it.
TEST_F(CanvasTest, ShortOrMissingMetricsDrawNoText)
{
    ScratchResources scratch;
    for (const char* name : {"CanvasFont.glsl", "CanvasColor.glsl", "FontSupernatural.png", "FontShader.glsl",
                             "FontHelvetica.png"})
        scratch.put(name, resourceBytes(name));
    scratch.put("FontSupernatural.dat", resourceBytes("FontSupernatural.dat").substr(0, 100));
    testing::internal::CaptureStdout();
    Canvas shortMetrics(480, 320);
    Canvas again(480, 320);
    Font font(480, 320);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "ERROR: GlyphAdvances 'FontSupernatural.dat' holds 100 of 128 codes\n"
                   "ERROR: GlyphAdvances failed to load 'FontHelvetica.dat'\n");
    EXPECT_FALSE(font.glyphAdvances.isUsable());
    EXPECT_TRUE(font.shader && font.shader->isValid());

    EXPECT_EQ(std::unique_ptr<Geometry>(shortMetrics.textGeometry(10, 20, "AB"))->getNumIndices(), 0u);
}

// At 4x the text comes from the atlas rasterised at 4x: its glyph edges are
// sharper than a point, which a 1x atlas magnified cannot be. Without the 4x
// files the 1x ones are drawn, with one log line each.
TEST_F(CanvasTest, TextAtFourTimesThePixelsIsSharp)
{
    const double sharp = detailFinerThanAPoint(sceneAtFourTimes());

    ScratchResources magnified; // the 1x font only
    for (const char* name : {"CanvasFont.glsl", "CanvasColor.glsl", "FontSupernatural.png", "FontSupernatural.dat"})
        magnified.put(name, resourceBytes(name));
    testing::internal::CaptureStdout();
    const double soft = detailFinerThanAPoint(sceneAtFourTimes());
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "No 'FontSupernatural@4x.png' in the resources: 'FontSupernatural.png' is read instead\n"
                   "No 'FontSupernatural@4x.dat' in the resources: 'FontSupernatural.dat' is read instead\n");

    // The 1x atlas magnified is linear between its texel centres, which fall on
    // the 1x pixel centres: box-filtering changes it by at most an eighth of a
    // slope change, 2 x 255 / 8 = 64 levels at a one-texel stroke, and scaling
    // back up restores the lines between. A sharp edge steps within a pixel, and
    // the round trip leaves up to 3/8 of the step (96 levels of white on the
    // panel) beside it; edges make up some tenth of the band.
    EXPECT_GT(sharp, 1.0);
    EXPECT_LT(soft, 0.1);
}
