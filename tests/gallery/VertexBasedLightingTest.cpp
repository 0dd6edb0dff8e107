#include "gallery/VertexBasedLighting.h"
#include "geom/Geometry.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"

using namespace vell;

using GalleryVertexLighting = HeadlessGLTest;

namespace {

// Row r of the button column, and the slider column.
void tapRow(VertexBasedLighting& v, int row) { v.onMouseDown(20, row * 40 + 20, 1); }
void drag(VertexBasedLighting& v, int y) { v.onMouseMove(450, y, 1); }

} // namespace

TEST_F(GalleryVertexLighting, SlidersEditTheirValues)
{
    VertexBasedLighting v;
    EXPECT_TRUE(v.updateTorus()) << "the first frame takes the slider values over";
    EXPECT_EQ(v.sides, 10);
    EXPECT_EQ(v.segments, 12);
    EXPECT_EQ(v.torus->getNumVertices(), 13u * 11u);
    EXPECT_FALSE(v.updateTorus()) << "nothing changed, nothing rebuilt";

    tapRow(v, 4); // N SIDE
    drag(v, 320);
    v.updateTorus();
    EXPECT_EQ(v.sides, 4);
    drag(v, 0);
    v.updateTorus();
    EXPECT_EQ(v.sides, 16);
    v.onMouseMove(300, 320, 1); // outside the slider column
    EXPECT_EQ(v.sidesValue, 1.0f);

    tapRow(v, 5); // N SEGM
    drag(v, 320);
    v.updateTorus();
    EXPECT_EQ(v.segments, 4);
    drag(v, -50); // beyond the top stops at the end
    v.updateTorus();
    EXPECT_EQ(v.segments, 20);

    tapRow(v, 5); // again: deselected, the slider is gone
    EXPECT_EQ(v.activeSlider, nullptr);
    drag(v, 160);
    EXPECT_EQ(v.segmentsValue, 1.0f);

    tapRow(v, 1);
    EXPECT_FALSE(v.perVertex);
    tapRow(v, 0);
    EXPECT_TRUE(v.perVertex);
}

TEST_F(GalleryVertexLighting, ColourDragKeepsToTheBandItStartedIn)
{
    VertexBasedLighting v;
    tapRow(v, 6); // COLOR
    v.onMouseDown(450, 160, 1); // the middle third: green
    drag(v, 0);
    EXPECT_EQ(v.color.y, 1.0f);
    drag(v, 320);
    EXPECT_EQ(v.color.y, 0.0f);
    drag(v, 160); // (0.5 - 0.333) / -0.333 + 1
    EXPECT_NEAR(v.color.y, 0.4985f, 1e-4f);
    EXPECT_EQ(v.color.x, 0.6f);
    EXPECT_EQ(v.color.z, 0.6f);

    v.onMouseDown(450, 10, 1); // top third: red, logged
    testing::internal::CaptureStdout();
    drag(v, 80);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "r:0.249999\n"); // 1 - 0.25 / 0.333333
    EXPECT_NEAR(v.color.x, 0.2492f, 1e-4f); // 0.25 / -0.333 + 1
}

TEST_F(GalleryVertexLighting, GoldenFrames)
{
    auto* v = new VertexBasedLighting();
    EffectHarness harness(v);
    harness.runUntil(0.5f);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "VertexBasedLightingPerVertex"));
    tapRow(*v, 1);
    harness.runFrames(1);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "VertexBasedLightingPerPixel"));
    tapRow(*v, 6);
    v->onMouseDown(450, 250, 1);
    drag(*v, 280); // blue down to about a third
    harness.runFrames(1);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "VertexBasedLightingColor"));
    tapRow(*v, 7);
    drag(*v, 200);
    harness.runFrames(1);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "VertexBasedLightingBlur"));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}
