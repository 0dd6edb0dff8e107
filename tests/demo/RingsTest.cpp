#include "demo/Rings.h"
#include "geom/Geometry.h"
#include "math/Random.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

using namespace vell;

namespace {

class RingsTest : public HeadlessGLTest {
protected:
    static std::vector<uint8_t> drawAt(Rings& effect, float t)
    {
        Timer::getInstance()->setTime(t);
        effect.draw();
        return readFrame();
    }
};

vec3 vertex(Geometry& g, int v)
{
    const float* p = g.getAttrib("position", VEC3)->getBuffer() + 3 * v;
    return vec3(p[0], p[1], p[2]);
}


} // namespace

TEST_F(RingsTest, BandsAndThinRings)
{
    randomSeed(1);
    Rings rings;
    ASSERT_EQ(rings.bands.size(), 10u);
    ASSERT_EQ(rings.thinRings.size(), 3u);
    const struct {
        Geometry* g;
        unsigned int quads;
    } expected[] = {{rings.bands[0].get(), 15}, {rings.bands[4].get(), 21}, {rings.bands[8].get(), 18},
                    {rings.thinRings[0].get(), 6}};
    for (const auto& e : expected) {
        EXPECT_EQ(e.g->getNumVertices(), 4 * e.quads);
        EXPECT_EQ(e.g->getNumIndices(), 6 * e.quads);
        EXPECT_EQ(e.g->getNumEdgeIndices(), 8 * e.quads);
    }
    // Band 1: from 0 to 45 degrees at radius 2, y from -2.5 to 0.5.
    Geometry& band = *rings.bands[0];
    const vec3 first = vertex(band, 0), top = vertex(band, 58);
    EXPECT_NEAR(first.x, 2, 1e-6);
    EXPECT_NEAR(first.y, -2.5f, 1e-6);
    EXPECT_NEAR(first.z, 0, 1e-6);
    EXPECT_NEAR(top.x, 1.414214f, 1e-5); // last quad's c2: 45 degrees, top row
    EXPECT_NEAR(top.y, 0.5f, 1e-6);
    EXPECT_NEAR(top.z, 1.414214f, 1e-5);
    // One random vector per quad.
    const float* m = band.getAttrib("normal2", VEC3)->getBuffer();
    EXPECT_EQ(m[0], m[9]);
    EXPECT_NE(m[0], m[12]);
}

TEST_F(RingsTest, StagesAndTheLateBlur)
{
    randomSeed(1);
    Rings rings;
    rings.stage = 2;
    const auto stage2 = drawAt(rings, 150);
    for (int other : {7, -1}) {
        rings.stage = other;
        EXPECT_EQ(drawAt(rings, 150), stage2) << other;
    }
    rings.stage = 0;
    const auto sharp = drawAt(rings, 150);
    EXPECT_NE(sharp, stage2);

    rings.blurStrength = 3;
    EXPECT_EQ(drawAt(rings, 150), sharp); // this frame still blurs with the old strength
    const auto blurred = drawAt(rings, 150);
    EXPECT_NE(blurred, sharp);
    rings.blurStrength = 0;
    EXPECT_EQ(drawAt(rings, 150), blurred);
    EXPECT_EQ(drawAt(rings, 150), sharp);
}

TEST_F(RingsTest, Golden)
{
    randomSeed(1);
    Rings rings;
    EXPECT_TRUE(matchesGolden(drawAt(rings, 138), 480, 320, "Rings-138.00"));
    rings.stage = 2;
    rings.blurStrength = 5.0f / 3; // as at 160 s
    drawAt(rings, 160);
    EXPECT_TRUE(matchesGolden(drawAt(rings, 160), 480, 320, "Rings-160.00"));
}
