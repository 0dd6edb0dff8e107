#include "HostClock.h"
#include "demo/PinkSky.h"
#include "demo/TarskFade.h"
#include "demo/TriangleRain5.h"
#include "gallery/TriangleRain2.h"
#include "gallery/TriangleRain3.h"
#include "gallery/TriangleRain4.h"
#include "math/Random.h"
#include "support/ClockControl.h"
#include "support/EffectHarness.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"
#include "utils/Timer.h"

using namespace vell;

namespace {

using DropEffectsTest = HeadlessGLTest;

std::vector<float> positions(const DropField& drops)
{
    const VertexAttrib* stream = drops.getGeometry()->getAttrib("position", VEC3);
    const float* data = stream->getBuffer();
    return std::vector<float>(data, data + stream->getNumVertices() * 3);
}

void expectNear(const std::vector<float>& a, const std::vector<float>& b, float tolerance)
{
    ASSERT_EQ(a.size(), b.size());
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); ++i)
        differing += std::abs(a[i] - b[i]) > tolerance;
    EXPECT_EQ(differing, 0u) << "of " << a.size() << " coordinates";
}

} // namespace

TEST_F(DropEffectsTest, FieldsAreTheSameOnEveryRunAndShareTheirXYLayout)
{
    PinkSky sky;
    randomGen(); // whatever ran before, the seed fixes the field
    PinkSky again;
    TriangleRain5 rain;
    EXPECT_EQ(positions(sky.drops), positions(again.drops));
    ASSERT_EQ(sky.drops.getGeometry()->getNumVertices(), 1800u);
    ASSERT_EQ(sky.drops.getGeometry()->getNumIndices(), 1800u);
    ASSERT_EQ(rain.drops.getRaindrops().size(), 600u);

    // Seed 453453 draws the states -968750021, 439416189, -2075860597, -969708371,
    // 1512296923: x, y, z, phase and spin of the first drop, in that order.
    const TriangleRain5::Raindrop& first = rain.drops.getRaindrops()[0];
    EXPECT_NEAR(first.position.x, -4.511094f, 1e-5f);
    EXPECT_NEAR(first.position.y, 10.023096f, 1e-5f);
    EXPECT_NEAR(first.position.z, 0.667042f, 1e-5f);
    EXPECT_NEAR(first.phase, -1.418604f, 1e-5f);
    EXPECT_NEAR(first.spin, 1.408436f, 1e-5f);

    for (size_t i = 0; i < 600; ++i) {
        const PinkSky::Raindrop& s = sky.drops.getRaindrops()[i];
        const TriangleRain5::Raindrop& r = rain.drops.getRaindrops()[i];
        ASSERT_EQ(s.position.x, r.position.x) << i;
        ASSERT_EQ(s.position.y, r.position.y) << i;
        ASSERT_NEAR(s.position.z - r.position.z, 0.9f, 1e-4f) << i; // z + 30 - 9.1 against z + 20
        ASSERT_EQ(s.phase, r.phase) << i;
        ASSERT_EQ(s.spin, r.spin) << i;
        ASSERT_TRUE(s.position.y > 4 && s.position.y < 14 && s.position.z > 0.9f && s.position.z < 40.9f) << i;
    }
}

TEST_F(DropEffectsTest, RebuildingReplacesTheDropsInsteadOfAddingToThem)
{
    TriangleRain5 rain;
    const auto first = positions(rain.drops);
    rain.genTriangles();
    EXPECT_EQ(rain.drops.getRaindrops().size(), 600u) << "drop 600 would write past the 1800 vertices";
    EXPECT_EQ(positions(rain.drops), first);
}

TEST_F(DropEffectsTest, FirstFrameShowsTheBuiltPositionsThenTheStreamIsRewritten)
{
    PinkSky built;
    auto* sky = new PinkSky();
    EffectHarness harness(sky);
    const auto initial = positions(sky->drops);
    harness.runFrames(1);
    const auto drawn = harness.frame();
    EXPECT_NE(positions(sky->drops), initial);

    app->draw();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    built.drops.render(built.shader.get(), vec3(0, 8, 3), vec3(0, 0, -30), vec4(1, 1, 1, 1));
    glDepthMask(GL_TRUE);
    EXPECT_EQ(readFrame(), drawn);
}

TEST_F(DropEffectsTest, DisabledSkyFreezesAndResumesWhereItStopped)
{
    auto* paused = new PinkSky();
    auto* steady = new PinkSky();
    EffectHarness pausedRun(paused), steadyRun(steady);
    pausedRun.runFrames(10);
    steadyRun.runFrames(10);

    const auto stopped = positions(paused->drops);
    paused->enabled = false;
    pausedRun.runFrames(30);
    EXPECT_EQ(positions(paused->drops), stopped);

    paused->enabled = true;
    pausedRun.runFrames(10);
    steadyRun.runFrames(10);
    // Both drew 20 frames of 1/60 s; only the rounding of the clock differs.
    expectNear(positions(paused->drops), positions(steady->drops), 1e-3f);
}

TEST_F(DropEffectsTest, ZeroFrameTimeOnlySpreadsTheSkySideways)
{
    PinkSky sky;
    const auto before = sky.drops.getRaindrops();
    stopClock();
    sky.draw();
    const auto& after = sky.drops.getRaindrops();
    for (size_t i = 0; i < before.size(); ++i) {
        ASSERT_EQ(after[i].position.x, static_cast<float>(before[i].position.x * 1.001)) << i;
        ASSERT_EQ(after[i].position.y, before[i].position.y) << i;
        ASSERT_EQ(after[i].position.z, before[i].position.z) << i;
        ASSERT_EQ(after[i].phase, before[i].phase) << i;
    }
}

// Each rain's fall and turn per second of frame time: the gallery's rains fall
// along -y, the demo's drift along -z.
TEST_F(DropEffectsTest, RainsFallAndTurnAtTheirOwnRates)
{
    struct Rates {
        const char* name;
        float fall, turn;
    };
    const auto check = [](auto& rain, const Rates& rates, int axis) {
        DropField::Raindrop& drop = rain.drops.getRaindrop(0);
        drop.position.y = 0; // mid-band: no wrap
        const DropField::Raindrop before = drop;
        const float dt = stepClock();
        rain.draw();
        const DropField::Raindrop& after = rain.drops.getRaindrops()[0];
        EXPECT_NEAR(before.position[axis] - after.position[axis], rates.fall * dt, 1e-5f) << rates.name;
        EXPECT_NEAR(after.phase - before.phase, rates.turn * dt, 1e-5f) << rates.name;
    };
    TriangleRain2 rain2;
    TriangleRain3 rain3;
    TriangleRain4 rain4;
    PinkSky sky;
    TriangleRain5 rain5;
    check(rain2, {"TriangleRain2", 1, 5}, 1);
    check(rain3, {"TriangleRain3", 0.5f, 2.5f}, 1);
    check(rain4, {"TriangleRain4", 0.3f, 2}, 1);
    check(sky, {"PinkSky", 1, 2}, 2);
    check(rain5, {"TriangleRain5", 1.3f, 2}, 2);
}

TEST_F(DropEffectsTest, SkyKeepsBlendingAsFoundAndLeavesDepthOn)
{
    PinkSky sky;
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    sky.draw();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_TRUE(writes);
    glDisable(GL_BLEND);
}

TEST_F(DropEffectsTest, TransparentRainDrawsNothingButKeepsMovingAndLeavesBlendingOff)
{
    auto* rain = new TriangleRain5();
    rain->alpha = 0;
    EffectHarness harness(rain);
    const auto initial = positions(rain->drops);
    harness.runFrames(120); // drops pass in front of the camera meanwhile
    EXPECT_NE(positions(rain->drops), initial);
    const auto frame = harness.frame();
    EXPECT_EQ(frame, std::vector<uint8_t>(frame.size(), 0));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    rain->alpha = 1;
    harness.runFrames(1);
    const auto visible = harness.frame();
    EXPECT_NE(visible, std::vector<uint8_t>(visible.size(), 0)) << "the same frames with alpha 1 show drops";
}

TEST_F(DropEffectsTest, EffectsWithoutTheirShadersDrawNothingAndCarryOn)
{
    ScratchResources empty;
    testing::internal::CaptureStdout();
    PinkSky sky;
    TriangleRain5 rain;
    TarskFade fade;
    const std::string log = testing::internal::GetCapturedStdout();
    for (const char* name : {"PinkSky.glsl", "TriangleRain5.glsl", "FullScreenQuadColor.glsl"})
        EXPECT_NE(log.find(name), std::string::npos) << log;

    const auto initial = positions(rain.drops);
    HostClock::advance();
    Timer::getInstance()->update();
    sky.draw();
    rain.draw();
    fade.draw();
    EXPECT_NE(positions(rain.drops), initial);
    const auto frame = readFrame();
    EXPECT_EQ(frame, std::vector<uint8_t>(frame.size(), 0));
}
