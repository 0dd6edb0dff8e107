#include "gallery/Crystal.h"
#include "gallery/Crystal2.h"
#include "geom/Geometry.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"

#include <memory>

using namespace vell;

namespace {

const float heights[] = {-1, -0.4f, 0, 0.4f, 0.7f, 0.85f};
const float radii[] = {0, 0.6f, 0.8f, 0.8f, 0.4f, 0};

vec3 at(const Geometry& g, const char* name, unsigned int k)
{
    const float* b = g.getAttrib(name, VEC3)->getBuffer() + 3 * k;
    return vec3(b[0], b[1], b[2]);
}

void expectNear(const vec3& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

} // namespace

TEST(CrystalGeometry, FacetsLinesAndTips)
{
    // Ring 1 starts at angle 0; ring 2 is turned back half a segment (2 pi / 14).
    expectNear(Crystal2::gridPoint(1, 0, 7, heights, radii), 0.6f, -0.4f, 0);
    expectNear(Crystal2::gridPoint(2, 0, 7, heights, radii), 0.8f * 0.9009689f, 0, -0.8f * 0.4338837f);
    expectNear(Crystal2::gridPoint(2, 7, 7, heights, radii), 0.8f * 0.9009689f, 0, -0.8f * 0.4338837f);

    std::unique_ptr<Geometry> crystal(Crystal2::genCrystal(7, 5, heights, radii));
    EXPECT_EQ(crystal->getNumVertices(), 210u);
    EXPECT_EQ(crystal->getNumIndices(), 210u);
    EXPECT_EQ(crystal->getIndices()[209], 209);
    // Bottom row, first triangle: two corners on the tip, so no face normal.
    expectNear(at(*crystal, "normal", 0), 0, 0, 0);
    // Top row (r = 4), second triangle of column 0 (vertices 4*42 + 3 ..): c and d meet at the tip.
    expectNear(at(*crystal, "normal", 4 * 42 + 3), 0, 0, 0);
    EXPECT_NEAR(length(at(*crystal, "normal", 2 * 42)), 1, 1e-6f);

    std::unique_ptr<Geometry> lines(Crystal2::genCrystalLines(7, 5, heights, radii));
    EXPECT_EQ(lines->getPrimitiveType(), Geometry::LINES);
    EXPECT_EQ(lines->getNumVertices(), 210u);
    ASSERT_EQ(lines->getNumIndices(), 420u);
    const uint16_t* i = lines->getIndices();
    EXPECT_EQ((std::vector<int>{i[6], i[7], i[8], i[9], i[10], i[11]}), (std::vector<int>{3, 4, 3, 5, 4, 5}));

    // 2000 x 10 x 6 vertices do not fit 16-bit indices.
    std::vector<float> many(11, 0.5f);
    std::unique_ptr<Geometry> tooBig(Crystal2::genCrystal(2000, 10, many.data(), many.data()));
    EXPECT_EQ(tooBig->getNumVertices(), 0u);
}

using GalleryCrystals = HeadlessGLTest;

TEST_F(GalleryCrystals, BlinkSparklesAndCameraHeight)
{
    testing::internal::CaptureStdout();
    Crystal2 crystal;
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Vert 210\n"), std::string::npos);
    const float* blink = crystal.crystal->getAttrib("blink", FLOAT)->getBuffer();
    for (unsigned int k = 0; k < 210; k += 3) {
        EXPECT_GE(blink[k], 0);
        EXPECT_LE(blink[k], 1 - 1.0f / 1024);
        EXPECT_FLOAT_EQ(blink[k + 1], static_cast<float>(blink[k] - 0.1));
        EXPECT_FLOAT_EQ(blink[k + 2], static_cast<float>(blink[k] - 0.2));
    }
    expectNear(at(*crystal.crystal, "snormal", 17), at(*crystal.crystal, "position", 17).x,
               at(*crystal.crystal, "position", 17).y, at(*crystal.crystal, "position", 17).z);

    testing::internal::CaptureStdout();
    crystal.onMouseMove(100, 0, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "y:48.000000\n");
    EXPECT_FLOAT_EQ(crystal.cameraHeight, 5);
    crystal.onMouseMove(100, 320, 1);
    EXPECT_FLOAT_EQ(crystal.cameraHeight, -5);
    crystal.onMouseMove(100, 160, 1);
    EXPECT_FLOAT_EQ(crystal.cameraHeight, 0);
}

TEST_F(GalleryCrystals, GoldenFramesAndLeftState)
{
    {
        EffectHarness harness(new Crystal());
        harness.runUntil(2);
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "Crystal-2.00"));
        GLint depthFunc = 0;
        glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
        EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(depthFunc, GL_LEQUAL);
    }
    auto* crystal = new Crystal2();
    EffectHarness harness(crystal);
    harness.runUntil(2);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "Crystal2-2.00"));
    crystal->onMouseMove(0, 60, 1); // from above
    harness.runFrames(1);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "Crystal2Above"));
    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(unit, GL_TEXTURE0);
}
