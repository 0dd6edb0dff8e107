#include "framework/EffectFactory.h"
#include "support/EffectHarness.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

using namespace vell;

namespace {

using GalleryState = HeadlessGLTest;

} // namespace

// Some advance the frame clock inside their draw (twice for the landscape's two
// scene renders); all leave blending off and the depth test and writes on.
TEST_F(GalleryState, ClockUpdatesPerFrameAndStateLeftBehind)
{
    const std::pair<const char*, int> updates[] = {
        {"LandRain", 1}, {"TriangleRain4", 1}, {"TriangleRain2", 1}, {"TriangleRain", 2}, {"SorvLogo2", 1},
        {"SorvLogo", 2}, {"FakeGI", 2},        {"QuadLand", 3},
    };
    for (const auto& [name, perFrame] : updates) {
        const EffectFactory::EffectInfo* info = EffectFactory::getInstance()->find(name);
        ASSERT_NE(info, nullptr) << name;
        EffectHarness harness(info->create());
        harness.runFrames(3);
        EXPECT_EQ(Timer::getInstance()->getTotalFrameCount(), 3 * perFrame) << name;
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << name;
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << name;
        GLboolean writes = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
        EXPECT_TRUE(writes) << name;
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2] * 1000 + viewport[3], 480320) << name << ": back on the screen's viewport";
    }
}
