#include "demo/Piramid.h"
#include "geom/Geometry.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/TestQuads.h"
#include "utils/Timer.h"

#include <memory>

using namespace vell;

namespace {

void expectVertex(const Geometry& g, int v, float x, float y, float z)
{
    const float* p = g.getAttrib("position", VEC3)->getBuffer() + v * 3;
    EXPECT_NEAR(p[0], x, 1e-6) << "vertex " << v;
    EXPECT_NEAR(p[1], y, 1e-6) << "vertex " << v;
    EXPECT_NEAR(p[2], z, 1e-6) << "vertex " << v;
}

bool isBackground(const std::array<uint8_t, 4>& p) { return p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0; }

} // namespace

TEST(PiramidGeometryTest, DemoPyramidCountsAndApex)
{
    std::unique_ptr<Geometry> g(Piramid::genPiramid(10, 7, 10, 5, 5, 5, 1, 0, 0));
    EXPECT_EQ(g->getNumVertices(), 4u * 36 + 36);
    EXPECT_EQ(g->getNumIndices(), 250u * 3);
    EXPECT_EQ(g->getNumEdgeIndices(), 5u * 25 * 8);
    EXPECT_NE(g->getAttrib("texCoord0", VEC2), nullptr);
    // The top row (a = 5) of every side collapses onto the axis at y = 7.
    for (int side = 0; side < 4; ++side)
        for (int c = 0; c <= 5; ++c)
            expectVertex(*g, side * 36 + 5 * 6 + c, 0, 7, 0);
    expectVertex(*g, 0, 5, 0, -5);    // first corner of the +x side
    expectVertex(*g, 179, 5, 0, 5);   // last corner of the bottom
}

TEST(PiramidGeometryTest, SidesMeetForAnySegmentCount)
{
    // Three x segments over a width of 8: the x sides stand at half the width, not at 3.
    std::unique_ptr<Geometry> g(Piramid::genPiramid(8, 2, 6, 3, 2, 1, 1, 0.5f, 1));
    expectVertex(*g, 1, 4, 1, 3);          // +x side, bottom row, far end
    expectVertex(*g, 12 + 3, 4, 1, 3);     // +z side, bottom row, far end
    expectVertex(*g, 5, 2, 3, 1.5f);       // +x side, top row: tapered to half
    expectVertex(*g, 12 + 11, 2, 3, 1.5f); // +z side, top row

    // No segments still gives one finite cell per face.
    std::unique_ptr<Geometry> flat(Piramid::genPiramid(2, 1, 2, 0, 0, 0, 1, 0, 0));
    ASSERT_EQ(flat->getNumVertices(), 20u);
    expectVertex(*flat, 1, 1, 0, 1);
    expectVertex(*flat, 3, 0, 1, 0);
}

TEST_F(HeadlessGLTest, PiramidMarksExactlyItsDepthPassingPixelsInTheStencil)
{
    Piramid piramid;
    piramid.pyramidZ = -20;
    piramid.edgeColor = vec4(0, 1, 0, 1);
    // Depth near the viewer on the left half: the pyramid fails the depth test there.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 240, 320);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    drawFlatColor(1, 1, 1, 1);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_SCISSOR_TEST);

    piramid.draw();
    EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));
    GLint func = 0, ref = 0, pass = 0;
    glGetIntegerv(GL_STENCIL_FUNC, &func);
    glGetIntegerv(GL_STENCIL_REF, &ref);
    glGetIntegerv(GL_STENCIL_PASS_DEPTH_PASS, &pass);
    EXPECT_EQ(func, GL_ALWAYS);
    EXPECT_EQ(ref, 1);
    EXPECT_EQ(pass, GL_REPLACE);
    const std::vector<uint8_t> drawn = readFrame();
    int rect[4];
    ASSERT_TRUE(piramid.takeMarkedRect(rect));
    int again[4];
    EXPECT_FALSE(piramid.takeMarkedRect(again)) << "each draw's rectangle is handed out once";
    EXPECT_LT(rect[2] * rect[3], 480 * 320 / 2) << "a window much smaller than the screen";

    // Paint blue wherever the stencil holds 1.
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glDisable(GL_DEPTH_TEST);
    drawFlatColor(0, 0, 1, 1);
    const std::vector<uint8_t> marked = readFrame();
    glDisable(GL_STENCIL_TEST);

    int covered = 0, mismatched = 0, outsideRect = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 480; ++x) {
            const bool pyramid = !isBackground(pixel(drawn, x, y));
            const auto m = pixel(marked, x, y);
            const bool stencilled = m[0] == 0 && m[1] == 0 && m[2] == 255;
            covered += pyramid;
            mismatched += pyramid != stencilled;
            const int glY = 319 - y; // the rectangle counts rows from the bottom
            outsideRect += stencilled && (x < rect[0] || x >= rect[0] + rect[2] || glY < rect[1] ||
                                          glY >= rect[1] + rect[3]);
            if (x < 240) {
                ASSERT_FALSE(stencilled) << x << "," << y;
            }
        }
    }
    EXPECT_GT(covered, 3000);
    EXPECT_EQ(mismatched, 0);
    EXPECT_EQ(outsideRect, 0) << "the rectangle holds every marked pixel";
}

TEST_F(HeadlessGLTest, PiramidRectangleIsOnlyForTheFrameItWasDrawnIn)
{
    Piramid piramid;
    piramid.pyramidZ = -20;
    int rect[4];
    piramid.draw();
    // A seek from the pyramid alone to the tunnel alone: the next frame asks
    // without a draw, and must not be clipped to the old rectangle.
    Timer::getInstance()->update();
    EXPECT_FALSE(piramid.takeMarkedRect(rect));
    piramid.draw();
    EXPECT_TRUE(piramid.takeMarkedRect(rect));
}

TEST_F(HeadlessGLTest, PiramidFrozenRotationHoldsItsAngleAndOverheadMovesIt)
{
    auto* piramid = new Piramid();
    piramid->pyramidZ = -20;
    EffectHarness harness(piramid);
    harness.runUntil(10);
    EXPECT_NEAR(piramid->rotationAngle, 50, 5.0 / 60 + 1e-3);
    piramid->freezeRotation = true;
    const float held = piramid->rotationAngle;
    harness.runFrames(1);
    const std::vector<uint8_t> first = harness.frame();
    harness.runUntil(20);
    EXPECT_EQ(piramid->rotationAngle, held);
    EXPECT_EQ(harness.frame(), first);
    piramid->freezeRotation = false;
    harness.runFrames(1);
    EXPECT_NEAR(piramid->rotationAngle, Timer::getInstance()->getTime() * 5, 1e-3);

    piramid->overheadCamera = true;
    harness.runFrames(1);
    EXPECT_EQ(piramid->pyramidZ, -45);
    piramid->overheadCamera = false;
    piramid->pyramidZ = -20;
    harness.runFrames(1);
    EXPECT_EQ(piramid->pyramidZ, -20);
}

using PiramidGolden = HeadlessGLTest;

TEST_F(PiramidGolden, FrontAndOverhead)
{
    glEnable(GL_DEPTH_TEST); // as the demo's earlier passes leave it
    auto* piramid = new Piramid();
    piramid->pyramidZ = -20;
    EffectHarness harness(piramid);
    harness.runUntil(10);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "Piramid-10.00"));
    piramid->overheadCamera = true;
    piramid->pyramidY = -1;
    harness.runUntil(63);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "PiramidOverhead-63.00"));
}
