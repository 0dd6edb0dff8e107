#include "HostClock.h"
#include "demo/Piramid.h"
#include "demo/QuadLand2.h"
#include "framework/EffectFactory.h"
#include "geom/Geometry.h"
#include "math/Noise.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>

using namespace vell;

namespace {

// Drawn straight, without advancing the clock: the scroll stays where a test puts it.
class QuadLand2Test : public HeadlessGLTest {
protected:
    void SetUp() override
    {
        HeadlessGLTest::SetUp();
        testing::internal::CaptureStdout();
        land = std::make_unique<QuadLand2>();
        constructionLog = testing::internal::GetCapturedStdout();
    }

    std::vector<uint8_t> drawFrame()
    {
        app->draw();
        land->draw();
        return readFrame();
    }
    const float* positions() { return land->geometry->getAttrib("position", VEC3)->getBuffer(); }
    int countVertices() { return static_cast<int>(land->geometry->getNumVertices()); }

    std::unique_ptr<QuadLand2> land;
    std::string constructionLog;
};

int countDifferentPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    int n = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return n;
}

} // namespace

TEST_F(QuadLand2Test, BuildsNineHundredSeparateQuadsLogsOnceAndIsRegisteredSecond)
{
    size_t count = 0;
    for (size_t at = constructionLog.find("Land "); at != std::string::npos; at = constructionLog.find("Land ", at + 1))
        ++count;
    EXPECT_EQ(count, 1u);
    EXPECT_NE(constructionLog.find("Land 3600\n"), std::string::npos) << constructionLog;
    EXPECT_EQ(land->geometry->getNumVertices(), 3600u);
    EXPECT_EQ(land->geometry->getNumIndices(), 900u * 6);
    EXPECT_EQ(land->geometry->getNumEdgeIndices(), 900u * 8);

    const EffectFactory::EffectInfo* info = EffectFactory::getInstance()->find("QuadLand2");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->place, 1);
    EXPECT_EQ(EffectFactory::getInstance()->find("Piramid"), nullptr);
}

TEST_F(QuadLand2Test, AGridTooLargeForSixteenBitIndicesIsRefusedAndDrawsNothing)
{
    land->gridWidth = 600; // 72,000 vertices
    testing::internal::CaptureStdout();
    land->genLand();
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(land->geometry, nullptr);
    EXPECT_NE(log.find("ERROR: QuadGrid"), std::string::npos) << log;
    EXPECT_EQ(log.find("Land "), std::string::npos);
    const auto frame = drawFrame();
    EXPECT_EQ(pixel(frame, 240, 300), (std::array<uint8_t, 4>{0, 0, 0, 0}));
}

TEST_F(QuadLand2Test, FlatLookIsAWhiteGridAndTheRippleDecaysFivePercentPerFrame)
{
    land->heightScale = 0;
    const std::vector<uint8_t> frame = drawFrame();
    for (int v = 0; v < countVertices(); ++v)
        ASSERT_EQ(positions()[v * 3 + 1], 0.0f) << v;
    int lit = 0;
    for (size_t i = 0; i < frame.size(); i += 4) {
        ASSERT_TRUE(frame[i] == frame[i + 1] && frame[i + 1] == frame[i + 2]) << "coloured pixel " << i / 4;
        lit += frame[i] > 100;
    }
    EXPECT_GT(lit, 2000); // the grid is drawn, at alpha 0.5

    land->rippleAmplitude = 1;
    for (int n = 1; n <= 20; ++n) {
        land->drawScene();
        EXPECT_NEAR(land->rippleAmplitude, std::pow(0.95, n), 1e-5);
    }
    float highest = 0;
    for (int v = 0; v < countVertices(); ++v) {
        const float y = positions()[v * 3 + 1];
        EXPECT_LE(std::fabs(y), land->rippleAmplitude + 1e-6f);
        highest = std::max(highest, std::fabs(y));
    }
    EXPECT_GT(highest, 0.3f * land->rippleAmplitude);
}

// Values worked out from the height and ripple formulas with the noise of the
// generator's reference permutation.
TEST_F(QuadLand2Test, RippleCentreAndOneReliefHeightAtKnownScrollAndTime)
{
    // Flat, at demo time 0.1 with no frame time: rows unscrolled, the ripple
    // (amplitude 1, decayed once to 0.95) centred at (0, 0, -45).
    land->heightScale = 0;
    land->rippleAmplitude = 1;
    Timer::getInstance()->setTimeShift(0.1f);
    land->updateLand();
    const float* centre = positions() + (4 * (15 * 30 + 15)) * 3; // column 15, row 15, corner 0
    EXPECT_NEAR(centre[0], 0.0f, 1e-5f);
    EXPECT_NEAR(centre[2], -45.0f, 1e-5f);
    EXPECT_NEAR(centre[1], -0.455454f, 1e-5f) << "0.95 sin(-5 * 0.1)";
    EXPECT_NEAR(centre[4], 0.520623f, 1e-5f) << "3.6 from the centre: 0.95 sin(3.6 * 0.3 - 0.5)";

    // Relief after a 0.1 s frame: rows scrolled by 0.2, the finer octaves by 0.5.
    Timer::getInstance()->setTimeShift(0);
    HostClock::set(0.1);
    Timer::getInstance()->update();
    land->heightScale = 1;
    land->rowScroll = 0;
    land->updateLand();
    EXPECT_NEAR(land->rowScroll, 0.2f, 1e-6f);
    EXPECT_NEAR(land->detailScroll, 0.5f, 1e-6f);
    const float* corner = positions() + (4 * (2 * 30 + 3)) * 3; // column 2, row 3 (at 2.8 cells), corner 0
    EXPECT_NEAR(corner[0], -46.8f, 1e-4f);
    EXPECT_NEAR(corner[2], -8.4f, 1e-4f);
    EXPECT_NEAR(corner[1], 0.243630f, 1e-4f)
        << "3 N(0.2, 0.3) + N(0.4, 0.66) + 0.5 N(0.6, 0.99)";
}

// The heights come from line stores and batched noise: frame after frame
// (lines kept, shared by neighbouring rows, worked out again as rows wrap or
// the scroll jumps) they must equal bit for bit the formula with scalar noise.
TEST_F(QuadLand2Test, ReliefEqualsTheScalarFormulaBitForBitAcrossFrames)
{
    const int W = land->gridWidth, D = land->gridDepth;
    const float starts[] = {0.0f, 61.9f, 12345.625f, -7.3f};
    for (const float start : starts) {
        land->rowScroll = start;
        land->detailScroll = 2.5f * start;
        for (int frame = 0; frame < 40; ++frame) {
            land->heightScale = frame < 20 ? 1.0f : 0.7f;
            land->updateLand();
            for (int i = 0; i < W; ++i)
                for (int j = 0; j < D; ++j) {
                    const float r = static_cast<float>(j) + land->rowScroll;
                    const float fz = static_cast<float>(static_cast<int>(r) + static_cast<int>(r) % D) - r;
                    for (int n = 0; n < 4; ++n) {
                        const float a = static_cast<float>(i + (n == 1 || n == 2));
                        const float b = fz + static_cast<float>(n >= 2);
                        const double h = 3.0 * noise(static_cast<float>(0.1 * a),
                                                     static_cast<float>(0.1 * (land->rowScroll + b))) +
                                         noise(static_cast<float>(0.2 * a),
                                               static_cast<float>(0.2 * (land->detailScroll + b))) +
                                         0.5 * noise(static_cast<float>(0.3 * a),
                                                     static_cast<float>(0.3 * (land->detailScroll + b)));
                        const float want = static_cast<float>(h * land->heightScale * land->reliefFactor);
                        ASSERT_EQ(positions()[(4 * (i * D + j) + n) * 3 + 1], want)
                            << "scroll " << land->rowScroll << " column " << i << " row " << j << " corner " << n;
                    }
                }
            land->rowScroll += 0.0333f;
            land->detailScroll += 0.0833f;
        }
    }
}

TEST_F(QuadLand2Test, OverheadCameraLooksDownAndTriplesTheRelief)
{
    land->heightScale = 0.5f;
    const std::vector<uint8_t> front = drawFrame();
    std::vector<float> normalHeights(countVertices());
    for (int v = 0; v < countVertices(); ++v)
        normalHeights[v] = positions()[v * 3 + 1];
    ASSERT_GT(*std::max_element(normalHeights.begin(), normalHeights.end()), 0.5f);
    land->overheadCamera = true;
    const std::vector<uint8_t> overhead = drawFrame();
    EXPECT_EQ(land->reliefFactor, 3.0f);
    for (int v = 0; v < countVertices(); ++v)
        ASSERT_NEAR(positions()[v * 3 + 1], 3 * normalHeights[v], 1e-5) << v;
    // The low camera sees the black sky at the top; the high one looks down onto the land.
    EXPECT_EQ(pixel(front, 240, 2)[0], 0);
    EXPECT_GT(pixel(overhead, 240, 2)[0], 60);
}

TEST_F(QuadLand2Test, RowsWrapInsideTheFieldAfterLongScrolling)
{
    land->rowScroll = 12345.625f;
    land->drawScene();
    std::set<float> rows;
    for (int j = 0; j < land->gridDepth; ++j)
        rows.insert(positions()[j * 4 * 3 + 2]); // corner 0 of column 0, row j
    EXPECT_EQ(rows.size(), 30u);
    for (int v = 0; v < countVertices(); ++v) {
        ASSERT_LE(positions()[v * 3 + 2], 3.0f);
        ASSERT_GE(positions()[v * 3 + 2], -90.0f);
    }
}

TEST_F(QuadLand2Test, RenderToTextureAddsTheMixAndDrawsTheLogoOnlyOnThatRoute)
{
    land->logoAlpha = 1;
    const std::vector<uint8_t> directWithLogo = drawFrame();
    land->logoAlpha = 0;
    EXPECT_EQ(countDifferentPixels(directWithLogo, drawFrame()), 0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    land->renderToTexture = true;
    const std::vector<uint8_t> mixed = drawFrame();
    EXPECT_GT(countDifferentPixels(mixed, directWithLogo), 20000);
    GLint source = 0, destination = 0, unit = 0, bound = 0, viewport[4] = {};
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(glIsEnabled(GL_BLEND)); // left additive without a logo
    EXPECT_EQ(source, GL_ONE);
    EXPECT_EQ(destination, GL_ONE);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(unit, GL_TEXTURE0);
    EXPECT_EQ(bound, static_cast<GLint>(app->framebuffer));
    EXPECT_EQ(viewport[2], 480);
    EXPECT_EQ(viewport[3], 320);

    land->logoAlpha = 1;
    EXPECT_GT(countDifferentPixels(drawFrame(), mixed), 2000);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    // A negative alpha keeps the logo out of the texture but still lays it over
    // the screen, where it can only darken.
    land->logoAlpha = -1;
    const std::vector<uint8_t> negative = drawFrame();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    int darker = 0;
    for (size_t i = 0; i < negative.size(); i += 4) {
        ASSERT_LE(negative[i], mixed[i]) << i / 4;
        darker += negative[i] < mixed[i];
    }
    EXPECT_GT(darker, 2000);
}

// With the pyramid as its cover, the texture waits and is added only where
// the pyramid did not draw: the frame is byte for byte that of adding it first,
// the logo's darkening included, and the state after is the pyramid's.
TEST_F(QuadLand2Test, UnderItsCoverThePyramidShowsTheSameFrame)
{
    land->renderToTexture = true;
    Piramid pyramid;
    pyramid.pyramidZ = -6; // near: it hides most of the landscape
    const auto drawBoth = [&] {
        app->draw();
        land->draw();
        pyramid.draw();
        return readFrame();
    };
    const std::vector<uint8_t> landOnly = drawFrame();
    for (const float logoAlpha : {0.0f, 0.7f, -1.0f}) {
        land->logoAlpha = logoAlpha;
        land->cover = nullptr;
        pyramid.ground = nullptr;
        const std::vector<uint8_t> addedFirst = drawBoth();
        land->cover = &pyramid;
        pyramid.ground = land.get();
        EXPECT_TRUE(drawBoth() == addedFirst) << logoAlpha;
        EXPECT_GT(countDifferentPixels(addedFirst, landOnly), 480 * 320 / 3) << "the pyramid hides a third";

        GLint func = 0, ref = 0, pass = 0;
        glGetIntegerv(GL_STENCIL_FUNC, &func);
        glGetIntegerv(GL_STENCIL_REF, &ref);
        glGetIntegerv(GL_STENCIL_PASS_DEPTH_PASS, &pass);
        EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));
        EXPECT_EQ(func, GL_ALWAYS);
        EXPECT_EQ(ref, 1);
        EXPECT_EQ(pass, GL_REPLACE);
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
    }
    land->cover = nullptr;
    glDisable(GL_STENCIL_TEST);
}

using QuadLand2Golden = HeadlessGLTest;

// The timeline's three looks: relief from the low camera, then the flat grid
// through the texture with a ripple held by a key, from above and with the logo.
TEST_F(QuadLand2Golden, ReliefOverheadRippleAndLogo)
{
    auto* land = new QuadLand2();
    EffectHarness harness(land);
    harness.runUntil(2);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "QuadLand2-2.00"));

    land->heightScale = 0;
    land->renderToTexture = true;
    land->overheadCamera = true;
    auto rippleUntil = [&](float time) {
        while (Timer::getInstance()->getTime() < time) {
            land->rippleAmplitude = 3;
            harness.runFrames(1);
        }
    };
    rippleUntil(4);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "QuadLand2Overhead-4.00"));

    land->overheadCamera = false;
    land->cameraHeight = 2;
    land->logoAlpha = 1;
    rippleUntil(6);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "QuadLand2Logo-6.00"));
}
