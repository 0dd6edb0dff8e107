#include "framework/EffectFactory.h"
#include "support/EffectHarness.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

using namespace vell;

namespace {

using GalleryState = HeadlessGLTest;

} // namespace

// Some advance the frame clock inside their draw (twice for the landscape's two
// scene renders); all leave the depth test and writes on, and all but the
// crystal and the clouds leave blending off.
TEST_F(GalleryState, ClockUpdatesPerFrameAndStateLeftBehind)
{
    const struct {
        const char* name;
        int perFrame;
        bool blendsAfter;
    } effects[] = {
        {"LandRain", 1, false},    {"TriangleRain4", 1, false}, {"TriangleRain2", 1, false},
        {"TriangleRain", 2, false}, {"SorvLogo2", 1, false},     {"SorvLogo", 2, false},
        {"FakeGI", 2, false},      {"QuadLand", 3, false},      {"Crystal", 2, true},
        {"Crystal2", 2, false},    {"Clouds", 2, true},         {"SmoothFlat", 2, false},
        {"SmoothFlat2", 2, false}, {"VertexBasedLighting", 2, false},
    };
    for (const auto& [name, perFrame, blendsAfter] : effects) {
        const EffectFactory::EffectInfo* info = EffectFactory::getInstance()->find(name);
        ASSERT_NE(info, nullptr) << name;
        EffectHarness harness(info->create());
        harness.runFrames(3);
        EXPECT_EQ(Timer::getInstance()->getTotalFrameCount(), 3 * perFrame) << name;
        EXPECT_EQ(glIsEnabled(GL_BLEND), blendsAfter) << name;
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << name;
        GLboolean writes = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
        EXPECT_TRUE(writes) << name;
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2] * 1000 + viewport[3], 480320) << name << ": back on the screen's viewport";
    }
}
