#include "gallery/TriangleRain.h"
#include "gallery/TriangleRain2.h"
#include "gallery/TriangleRain3.h"
#include "gallery/TriangleRain4.h"
#include "math/Random.h"
#include "support/ClockControl.h"
#include "support/HeadlessGL.h"
#include "support/TestQuads.h"

#include <cmath>

using namespace vell;

namespace {

using TriangleRainFamily = HeadlessGLTest;

vec3 vertex(const DropField& drops, unsigned int v)
{
    const float* p = drops.getGeometry()->getAttrib("position", VEC3)->getBuffer() + 3 * v;
    return vec3(p[0], p[1], p[2]);
}

} // namespace

// Seed 453453; per drop x, y, z, phase, spin (no spin for the still field).
TEST_F(TriangleRainFamily, FieldsComeFromOneSeedInOneDrawOrder)
{
    TriangleRain2 rain2;
    randomGen(); // whatever ran before, the seed fixes the field
    TriangleRain2 again;
    TriangleRain3 rain3;
    TriangleRain4 rain4;
    TriangleRain still;
    ASSERT_EQ(rain2.drops.getRaindrops().size(), 300u);
    ASSERT_EQ(still.drops.getRaindrops().size(), 1000u);

    const TriangleRain2::Raindrop& d0 = rain2.drops.getRaindrops()[0];
    EXPECT_NEAR(d0.position.x, -4.51109f, 1e-4f);
    EXPECT_NEAR(d0.position.y, 1.02310f, 1e-4f);
    EXPECT_NEAR(d0.position.z, -9.66648f, 1e-4f);
    EXPECT_NEAR(d0.phase, -1.41860f, 1e-4f);
    EXPECT_NEAR(d0.spin, 1.40844f, 1e-4f);
    EXPECT_NEAR(rain2.drops.getRaindrops()[1].position.x, -2.05856f, 1e-4f);

    for (size_t i = 0; i < 300; ++i) {
        const TriangleRain2::Raindrop& a = rain2.drops.getRaindrops()[i];
        const TriangleRain3::Raindrop& c = rain3.drops.getRaindrops()[i];
        ASSERT_EQ(a.position.z, again.drops.getRaindrops()[i].position.z) << i;
        ASSERT_EQ(a.spin, rain4.drops.getRaindrops()[i].spin) << i;
        ASSERT_NEAR(c.position.z, 2 * a.position.z, 1e-5f) << i; // r x 20 against r x 10
    }

    // Without a spin the still field's second drop starts one number earlier.
    const TriangleRain::Raindrop& s0 = still.drops.getRaindrops()[0];
    const TriangleRain::Raindrop& s1 = still.drops.getRaindrops()[1];
    EXPECT_EQ(s0.position.x, d0.position.x);
    EXPECT_NEAR(s0.position.z, -0.966648f, 1e-5f);
    EXPECT_EQ(s0.spin, 0.0f);
    EXPECT_NEAR(s1.position.x, 7.04218f, 1e-4f);
    EXPECT_NEAR(s1.phase, 2.83934f, 1e-4f);
}

// Upright in the xy plane: p + a, p - a, p + (0, 0.06, 0) with a = -0.2 (cos, sin, 0) of the phase.
TEST_F(TriangleRainFamily, StillFieldIsALineMeshOfUprightOutlines)
{
    TriangleRain still;
    const Geometry* geometry = still.drops.getGeometry();
    EXPECT_EQ(geometry->getPrimitiveType(), Geometry::LINES);
    EXPECT_EQ(geometry->getNumVertices(), 3000u);
    EXPECT_EQ(geometry->getNumIndices(), 0u);
    EXPECT_EQ(geometry->getNumEdgeIndices(), 6000u);

    const vec3 p = still.drops.getRaindrops()[0].position;
    const vec3 v0 = vertex(still.drops, 0), v1 = vertex(still.drops, 1), v2 = vertex(still.drops, 2);
    EXPECT_NEAR(v0.x - p.x, -0.0303211f, 1e-5f);
    EXPECT_NEAR(v0.y - p.y, 0.197688f, 1e-5f);
    EXPECT_NEAR(v1.x - p.x, 0.0303211f, 1e-5f);
    EXPECT_EQ(v0.z, p.z);
    EXPECT_NEAR(v2.y - p.y, 0.06f, 1e-6f);
    EXPECT_EQ(v2.x, p.x);
}

TEST_F(TriangleRainFamily, DropsWrapOnlyStrictlyBelowTheBand)
{
    TriangleRain2 rain2;
    TriangleRain4 rain4;
    rain2.drops.getRaindrop(0).position.y = -5.0f;
    rain2.drops.getRaindrop(1).position.y = -5.01f;
    rain4.drops.getRaindrop(0).position.y = -10.0f;
    rain4.drops.getRaindrop(1).position.y = -10.01f;
    stopClock();
    rain2.draw();
    rain4.draw();
    EXPECT_EQ(rain2.drops.getRaindrops()[0].position.y, -5.0f);
    EXPECT_NEAR(rain2.drops.getRaindrops()[1].position.y, 4.99f, 1e-5f);
    EXPECT_EQ(rain4.drops.getRaindrops()[0].position.y, -10.0f);
    EXPECT_NEAR(rain4.drops.getRaindrops()[1].position.y, 0.99f, 1e-5f); // the band is 11 high
}

// With dt = 0 nothing moves, yet the vertices take the roll and wobble of the phase.
TEST_F(TriangleRainFamily, ZeroFrameTimeStillPosesTheTriangles)
{
    TriangleRain2 rain;
    const auto before = rain.drops.getRaindrops();
    const vec3 built = vertex(rain.drops, 0);
    stopClock();
    rain.draw();
    for (size_t i = 0; i < before.size(); ++i) {
        const DropField::Raindrop& drop = rain.drops.getRaindrops()[i];
        ASSERT_EQ(drop.position.y, before[i].position.y) << i;
        ASSERT_EQ(drop.phase, before[i].phase) << i;
        const vec3 v0 = vertex(rain.drops, 3 * i), v1 = vertex(rain.drops, 3 * i + 1);
        const vec3 wobble = (v0 + v1) * 0.5f - drop.position;
        ASSERT_NEAR(length(wobble), 0.4f, 1e-4f) << i;
        ASSERT_NEAR(wobble.y, 0.0f, 1e-5f) << i;
        ASSERT_NEAR(length(v0 - v1), 0.4f, 1e-4f) << i; // the roll keeps the base 2 x 0.2 wide
    }
    EXPECT_GT(length(vertex(rain.drops, 0) - built), 0.1f);
}

// A pose keeps its roll and wobble from frame to frame: a spin or a height set
// between frames must pose the drop exactly as a field posing it afresh does.
TEST_F(TriangleRainFamily, ASpinOrHeightSetBetweenFramesPosesAsAFreshField)
{
    stopClock();
    TriangleRain2 kept;
    kept.draw();
    TriangleRain2 fresh;
    for (TriangleRain2* rain : {&kept, &fresh}) {
        rain->drops.getRaindrop(0).spin = -1.5f;
        rain->drops.getRaindrop(1).position.y = 3.25f;
        rain->draw();
    }
    for (unsigned int v = 0; v < 6; ++v) {
        const vec3 a = vertex(kept.drops, v), b = vertex(fresh.drops, v);
        EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << "vertex " << v;
    }
}

TEST_F(TriangleRainFamily, ThirdDrawsBlackOverTheFrameAndLeavesDepthAlone)
{
    TriangleRain3 rain;
    drawFlatColor(0.8f, 0.4f, 0.2f, 1);
    glDisable(GL_DEPTH_TEST);
    rain.draw();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    const auto frame = readFrame();
    int kept = 0, black = 0;
    for (size_t i = 0; i < frame.size(); i += 4) {
        kept += frame[i] == 204 && frame[i + 1] == 102 && frame[i + 2] == 51;
        black += frame[i] == 0 && frame[i + 1] == 0 && frame[i + 2] == 0;
    }
    EXPECT_GT(kept, 480 * 320 / 2) << "no clear: the backdrop stays";
    EXPECT_GT(black, 200) << "the triangles";
    EXPECT_EQ(kept + black, 480 * 320);

    glEnable(GL_DEPTH_TEST);
    rain.draw();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

