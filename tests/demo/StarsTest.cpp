#include "demo/Stars.h"
#include "geom/Geometry.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

#include <string>

using namespace vell;

namespace {

class StarsTest : public HeadlessGLTest {
protected:
    static std::vector<uint8_t> drawAt(Stars& effect, float t)
    {
        Timer::getInstance()->setTime(t);
        effect.draw();
        return readFrame();
    }
};

} // namespace

TEST_F(StarsTest, SameFieldAndMeanEveryRun)
{
    testing::internal::CaptureStdout();
    Stars first;
    const std::string firstLog = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    Stars second;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), firstLog);

    ASSERT_EQ(first.particles.size(), 1000u);
    EXPECT_EQ(first.particleGeometry->getNumVertices(), 4000u);
    for (size_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(first.particles[i].x, second.particles[i].x);
        ASSERT_EQ(first.particles[i].z, second.particles[i].z);
    }
    // The first draw after seed 12345: 12345 x 16807 = 207482415, over 2^31 - 1, times 5.
    EXPECT_NEAR(first.particles[0].x, 0.483082f, 1e-5);
    // Its first corner sits 0.2 down and left of it.
    const float* p = first.particleGeometry->getAttrib("position", VEC3)->getBuffer();
    EXPECT_NEAR(p[0], 0.283082f, 1e-5);
    EXPECT_NE(firstLog.find(' '), std::string::npos);
}

TEST_F(StarsTest, CornersRecomputedOnlyWhenTheScaleChanges)
{
    Stars stars;
    float* offsets = stars.particleGeometry->getAttrib("normal", VEC3)->getBuffer();
    float* positions = stars.particleGeometry->getAttrib("position", VEC3)->getBuffer();
    drawAt(stars, 108);
    EXPECT_EQ(offsets[0], 0); // scale still 1: the generated corners stay

    stars.starScale = 2;
    drawAt(stars, 108.1f);
    // Corner 0 of every sprite: (-2 x 0.25, -0.25, 0) from its centre.
    EXPECT_NEAR(offsets[0], -0.5f, 1e-4);
    EXPECT_NEAR(offsets[1], -0.25f, 1e-4);
    EXPECT_NEAR(positions[3 * 3996], stars.particles[999].x - 0.5f, 1e-4);

    // Unchanged scale: nothing is rewritten, so a marked value survives.
    offsets[0] = 123;
    drawAt(stars, 108.2f);
    EXPECT_EQ(offsets[0], 123);
    stars.starScale = 3;
    drawAt(stars, 108.3f);
    EXPECT_NEAR(offsets[0], -0.75f, 1e-4);

    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_TRUE(depthMask);
}

// The star texture is cleared with the colour in force, which the tunnel has set
// to its fading sea blue: at alpha 0 the tinted texture fills the screen, so the
// bottom corner, where the tint is dark, rises by (0, 0.3, 0.45) x 255 = (0, 76.5, 114.75).
TEST_F(StarsTest, TextureTakesTheClearColourInForce)
{
    Stars stars;
    const auto black = pixel(drawAt(stars, 107.5f), 2, 317);
    glClearColor(0, 0.3f, 0.45f, 0);
    const auto sea = pixel(drawAt(stars, 107.5f), 2, 317);
    glClearColor(0, 0, 0, 0);
    EXPECT_EQ(sea[0], black[0]);
    EXPECT_NEAR(sea[1] - black[1], 76.5, 1.5);
    EXPECT_NEAR(sea[2] - black[2], 114.75, 1.5);
}

// Without sprites (alpha 0) the tint and the triangle remain; then the field at
// full alpha, and stretched ten times as from 114.08 s.
TEST_F(StarsTest, Golden)
{
    Stars stars;
    EXPECT_TRUE(matchesGolden(drawAt(stars, 107.5f), 480, 320, "Stars-107.50"));
    stars.alpha = 1;
    stars.cameraZ = -15 + 30 * 4.0f / 7.08f; // as at 111 s
    EXPECT_TRUE(matchesGolden(drawAt(stars, 111), 480, 320, "Stars-111.00"));
    stars.starScale = 10;
    stars.cameraZ = -15 + 30 * 2.0f / 6.76f; // as at 116.08 s
    EXPECT_TRUE(matchesGolden(drawAt(stars, 116.08f), 480, 320, "Stars-116.08"));
}
