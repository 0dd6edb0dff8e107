#include "gallery/SorvLogo.h"
#include "gallery/SorvLogo2.h"
#include "support/ClockControl.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"
#include "toolkit/GeometryGroup.h"
#include "utils/Timer.h"

#include <fstream>
#include <iterator>

using namespace vell;

namespace {

using LogoInSkyTest = HeadlessGLTest;

void expectEye(const LogoInSky& logo, const vec3& eye)
{
    EXPECT_EQ(logo.cameraPosition.x, eye.x);
    EXPECT_EQ(logo.cameraPosition.y, eye.y);
    EXPECT_EQ(logo.cameraPosition.z, eye.z);
}

// From afar before any touch, then close up from where the finger put the eye.
void expectGoldens(LogoInSky* logo, const char* name)
{
    EffectHarness harness(logo);
    harness.runUntil(1.0f);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, frameName(name, 1.0f)));
    logo->onMouseMove(100, 200, 1); // eye at x = 20 x 200 / 320 - 10 = 2.5
    harness.runUntil(2.0f);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, frameName((std::string(name) + "Touched").c_str(), 2.0f)));
}

} // namespace

TEST_F(LogoInSkyTest, TouchMovesTheEyeAlongXFromMinusTenToTen)
{
    SorvLogo logo;
    expectEye(logo, vec3(-7, 0, 25));
    logo.onMouseMove(300, 0, 1);
    expectEye(logo, vec3(-10, 0, 3));
    logo.onMouseMove(0, 320, 2);
    expectEye(logo, vec3(10, 0, 3));
    logo.onMouseMove(0, 80, 1);
    expectEye(logo, vec3(-5, 0, 3));
    logo.onMouseDown(0, 0, 1);
    logo.onMouseUp(0, 0, 1);
    expectEye(logo, vec3(-5, 0, 3));
}

// The first logo advances the clock inside its draw, the second only reads it.
TEST_F(LogoInSkyTest, OnlyTheFirstAdvancesTheClock)
{
    {
        EffectHarness harness(new SorvLogo());
        harness.runFrames(3);
        EXPECT_EQ(Timer::getInstance()->getTotalFrameCount(), 6);
    }
    EffectHarness harness(new SorvLogo2());
    harness.runFrames(3);
    EXPECT_EQ(Timer::getInstance()->getTotalFrameCount(), 3);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// Shaders in place but no model: the sky is drawn exactly as without the logo.
TEST_F(LogoInSkyTest, MissingModelSkipsTheLogoPasses)
{
    SorvLogo2 reference;
    reference.logo.reset();
    reference.draw();
    const auto skyOnly = readFrame();
    EXPECT_NE(skyOnly, std::vector<uint8_t>(skyOnly.size(), 0));

    ScratchResources noModel;
    for (const char* name : {"SorvLogo2.glsl", "SorvLogoSky2.glsl"}) {
        std::ifstream in(std::string(QUENFOLD_RESOURCE_DIR) + "/" + name, std::ios::binary);
        noModel.put(name, std::string(std::istreambuf_iterator<char>(in), {}));
    }
    testing::internal::CaptureStdout();
    SorvLogo2 logo;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(logo.logo, nullptr);
    EXPECT_NE(log.find("sorv05tri.obj"), std::string::npos) << log;
    app->draw();
    logo.draw();
    EXPECT_EQ(readFrame(), skyOnly);
}

TEST_F(LogoInSkyTest, Goldens)
{
    expectGoldens(new SorvLogo(), "SorvLogo");
    expectGoldens(new SorvLogo2(), "SorvLogo2");
}
