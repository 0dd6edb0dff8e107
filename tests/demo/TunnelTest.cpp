#include "demo/Piramid.h"
#include "demo/Tunnel.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

#include <cstdlib>
#include <utility>

using namespace vell;

namespace {

// One tunnel for the whole suite: its rock takes a while to build.
class TunnelTest : public HeadlessGLTest {
protected:
    static void TearDownTestSuite() { delete std::exchange(tunnel, nullptr); }

    void SetUp() override
    {
        HeadlessGLTest::SetUp();
        if (!tunnel) { // its shaders need the context
            srandom(1); // the rock of a fresh process
            tunnel = new Tunnel();
        }
        tunnel->progress = 0.3f;
        tunnel->clearColor = vec4(0, 0.3f, 0.45f, 0);
    }

    // The tunnel at time t over a frame cleared to background, with the stencil
    // test as given and stencil 1 in the columns x < stencilWidth.
    std::vector<uint8_t> drawWith(bool stencilTest, int stencilWidth, float t = 79, vec4 background = vec4())
    {
        Timer::getInstance()->setTime(t);
        glClearColor(background.x, background.y, background.z, background.w);
        glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT); // stencil 0
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, stencilWidth, 320);
        glClearStencil(1);
        glClear(GL_STENCIL_BUFFER_BIT);
        glClearStencil(0);
        glDisable(GL_SCISSOR_TEST);
        if (stencilTest)
            glEnable(GL_STENCIL_TEST);
        tunnel->draw();
        EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        GLboolean depthMask = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
        EXPECT_TRUE(depthMask);
        return readFrame();
    }

    static int drawnPixels(const std::vector<uint8_t>& frame, int x0, int x1)
    {
        int n = 0;
        for (int y = 0; y < 320; ++y)
            for (int x = x0; x < x1; ++x)
                n += pixel(frame, x, y) != std::array<uint8_t, 4>{0, 0, 0, 0};
        return n;
    }

    static Tunnel* tunnel;
};

Tunnel* TunnelTest::tunnel = nullptr;

} // namespace

TEST_F(TunnelTest, VisibleOnlyWhereTheStencilHoldsOne)
{
    // With the test off the stencil is ignored: the whole picture, as over an all-1 stencil.
    const auto off = drawWith(false, 0);
    EXPECT_GT(drawnPixels(off, 0, 480), 480 * 320 / 2);
    EXPECT_EQ(off, drawWith(true, 480));

    EXPECT_EQ(drawnPixels(drawWith(true, 0), 0, 480), 0);

    const auto left = drawWith(true, 200);
    EXPECT_EQ(drawnPixels(left, 200, 480), 0);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(pixel(left, x, y), pixel(off, x, y)) << x << "," << y;
}

TEST_F(TunnelTest, ColourClearedOnlyAfterEightySeconds)
{
    tunnel->clearColor = vec4(0.2f, 0.4f, 0.6f, 1);
    for (float t : {79.9f, 80.1f}) {
        const auto frame = drawWith(true, 0, t, vec4(1, 0, 0, 1));
        const std::array<uint8_t, 4> expected =
            t < 80 ? std::array<uint8_t, 4>{255, 0, 0, 255} : std::array<uint8_t, 4>{51, 102, 153, 255};
        EXPECT_EQ(pixel(frame, 10, 10), expected) << t;
        EXPECT_EQ(pixel(frame, 470, 300), expected) << t;
    }
}

TEST_F(TunnelTest, CameraRidesTheHelixAndTheFadeEndsAtSeventyEight)
{
    // progress 0: eye (0.5 cos 6, 0.5 sin 6, 6); progress 1: (0.5 cos -25, 0.5 sin -25, -25).
    // The target, one unit further down z, lies straight ahead.
    const struct {
        float progress;
        vec3 eye, target;
    } ends[] = {{0, vec3(0.480085f, -0.139708f, 6), vec3(0.141831f, -0.479462f, 5)},
                {1, vec3(0.495601f, 0.066176f, -25), vec3(0.323460f, -0.381279f, -26)}};
    for (const auto& end : ends) {
        tunnel->progress = end.progress;
        const mat4 view = tunnel->getViewMatrix();
        const vec3 eye = view * end.eye, ahead = view * end.target;
        for (float c : {eye.x, eye.y, eye.z, ahead.x, ahead.y})
            EXPECT_NEAR(c, 0, 1e-4) << end.progress;
        EXPECT_LT(ahead.z, -1);
    }

    tunnel->clearColor = vec4(0.1f, 0.2f, 0.3f, 0.9f);
    const vec4 fade = tunnel->getFadeInColor(77.5f);
    EXPECT_EQ(fade.x, 0.1f);
    EXPECT_EQ(fade.z, 0.3f);
    EXPECT_FLOAT_EQ(fade.w, 0.5f);
    EXPECT_GT(tunnel->getFadeInColor(76.9f).w, 1);
    EXPECT_EQ(tunnel->getFadeInColor(78).w, 0);
    EXPECT_EQ(tunnel->getFadeInColor(120).w, 0);
}

// As in the demo: through the pyramid's window at 78.5 s, then alone at 95 s.
TEST_F(TunnelTest, Golden)
{
    glEnable(GL_DEPTH_TEST);
    Piramid piramid;
    piramid.freezeRotation = true;
    piramid.rotationAngle = 360;
    piramid.pyramidZ = -10.05f;
    piramid.cameraHeight = 6.0625f;
    piramid.pyramidY = -2;
    piramid.fillColor = piramid.edgeColor = vec4(0, 0.3f, 0.45f, 0);
    Timer::getInstance()->setTime(78.5f);
    piramid.draw();
    tunnel->progress = 1.5f / 31;
    tunnel->draw();
    EXPECT_TRUE(matchesGolden(readFrame(), 480, 320, "Tunnel-78.50"));

    Timer::getInstance()->setTime(95);
    tunnel->progress = 18.0f / 31;
    tunnel->draw();
    EXPECT_TRUE(matchesGolden(readFrame(), 480, 320, "Tunnel-95.00"));
}
