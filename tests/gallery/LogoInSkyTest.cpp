#include "gallery/SorvLogo.h"
#include "gallery/SorvLogo2.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"
#include "toolkit/GeometryGroup.h"

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

