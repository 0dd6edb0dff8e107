#include "gallery/LandRain.h"
#include "demo/PinkSky.h"
#include "demo/QuadLand2.h"
#include "demo/TriangleRain5.h"
#include "gallery/QuadLand.h"
#include "geom/Geometry.h"
#include "math/Noise.h"
#include "support/EffectHarness.h"
#include "support/HeadlessGL.h"
#include "toolkit/LandUnit2.h"
#include "utils/Timer.h"

#include <algorithm>
#include <memory>

using namespace vell;

namespace {

using QuadLandTest = HeadlessGLTest;

vec3 vertex(const Geometry& g, unsigned int v)
{
    const float* p = g.getAttrib("position", VEC3)->getBuffer() + 3 * v;
    return vec3(p[0], p[1], p[2]);
}

} // namespace

TEST(LandUnit2, TileHasUnsharedTrianglesAndQuadOutlines)
{
    std::unique_ptr<Geometry> tile(LandUnit2::gen(2, 0.4f, 2, 10, 0, 0, 0.25f));
    ASSERT_TRUE(tile);
    EXPECT_EQ(tile->getNumVertices(), 600u);
    EXPECT_EQ(tile->getNumIndices(), 600u);
    EXPECT_EQ(tile->getNumEdgeIndices(), 800u);
    const vec3 v0 = vertex(*tile, 0);
    EXPECT_EQ(v0.x, 0.0f);
    EXPECT_EQ(v0.z, 0.0f);
    EXPECT_FLOAT_EQ(v0.y, noise(0, 0) * 0.4f);
    // Cell (1, 0): its first corner at x = 0.2.
    EXPECT_FLOAT_EQ(vertex(*tile, 6).x, 0.2f);

    // No edge runs along the diagonal: each one moves along x or along z only.
    const uint16_t* edges = tile->getEdgeIndices();
    for (unsigned int e = 0; e < tile->getNumEdgeIndices(); e += 2) {
        const vec3 d = vertex(*tile, edges[e + 1]) - vertex(*tile, edges[e]);
        ASSERT_TRUE(d.x == 0 || d.z == 0) << "edge " << e / 2;
    }
}

TEST(LandUnit2, FractionalSegmentsAddACellPastTheEdgeAndHugeCountsAreRefused)
{
    std::unique_ptr<Geometry> tile(LandUnit2::gen(2, 0.4f, 2, 2.5f, 0, 0, 0.25f));
    ASSERT_TRUE(tile);
    EXPECT_EQ(tile->getNumVertices(), 54u); // 3 x 3 cells
    float far = 0;
    for (unsigned int v = 0; v < 54; ++v)
        far = std::max(far, vertex(*tile, v).x);
    EXPECT_FLOAT_EQ(far, 2.4f); // 3 / 2.5 x 2

    testing::internal::CaptureStdout();
    EXPECT_EQ(LandUnit2::gen(2, 0.4f, 2, 105, 0, 0, 0.25f), nullptr);
    EXPECT_EQ(LandUnit2::gen(2, 0.4f, 2, 1e9f, 0, 0, 0.25f), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("LandUnit2"), std::string::npos);
    std::unique_ptr<Geometry> largest(LandUnit2::gen(2, 0.4f, 2, 104, 0, 0, 0.25f));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->getNumVertices(), 6u * 104 * 104);
}

// Noise is sampled at world positions: the next tile starts where this one ends.
TEST(LandUnit2, NeighbouringTilesMeetWithoutSeams)
{
    std::unique_ptr<Geometry> left(LandUnit2::gen(2, 0.4f, 2, 10, 0, 2, 0.25f));
    std::unique_ptr<Geometry> right(LandUnit2::gen(2, 0.4f, 2, 10, 2, 2, 0.25f));
    int matched = 0;
    for (unsigned int a = 0; a < 600; ++a) {
        const vec3 p = vertex(*left, a);
        if (p.x != 2.0f)
            continue;
        for (unsigned int b = 0; b < 600; ++b) {
            const vec3 q = vertex(*right, b);
            if (q.x == 0 && q.z == p.z) {
                ASSERT_FLOAT_EQ(q.y, p.y) << "z " << p.z;
                ++matched;
            }
        }
    }
    EXPECT_GT(matched, 10);
}

TEST_F(QuadLandTest, RingOfTwentyFourTilesAroundAnEmptyCentre)
{
    QuadLand land;
    ASSERT_EQ(land.units.size(), 25u);
    for (size_t i = 0; i < 25; ++i)
        EXPECT_EQ(land.units[i] == nullptr, i == 12) << i;
    // Row 1, column 3 samples the noise one tile further along z and three along x.
    EXPECT_FLOAT_EQ(vertex(*land.units[8], 0).y, noise(6 * 0.25f, 2 * 0.25f) * 0.4f);
}

// Sky, landscape and rain, each moving only through this one draw.
TEST_F(QuadLandTest, LandRainDrawsItsThreeEffectsWhateverTheirFlags)
{
    auto* landRain = new LandRain();
    EffectHarness harness(landRain);
    EXPECT_FALSE(landRain->sky->enabled);
    const float skyZ = landRain->sky->drops.getRaindrops()[0].position.z;
    const float rainZ = landRain->rain->drops.getRaindrops()[0].position.z;
    harness.runFrames(3);
    EXPECT_GT(landRain->land->rowScroll, 0.0f);
    EXPECT_LT(landRain->sky->drops.getRaindrops()[0].position.z, skyZ);
    EXPECT_LT(landRain->rain->drops.getRaindrops()[0].position.z, rainZ);
}
