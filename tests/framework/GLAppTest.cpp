#include "HeadlessContext.h"
#include "HostClock.h"
#include "HostSurface.h"
#include "graphics/RenderTexture.h"
#include "support/TestQuads.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

#include <GLES2/gl2ext.h>

#include <memory>
#include <unistd.h>

using GLAppTest = HeadlessGLTest;

TEST_F(GLAppTest, MainFramebufferIsCompleteAt480x320WithDepthAndStencil)
{
    EXPECT_EQ(app->width, 480);
    EXPECT_EQ(app->height, 320);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_NE(app->depthRenderbuffer, 0u);
    GLint stencilBits = 0, depthBits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_EQ(stencilBits, 8);
    EXPECT_GE(depthBits, 16);
}

TEST_F(GLAppTest, DrawClearsColourAndDepthButKeepsStencil)
{
    glClearStencil(1);
    glClear(GL_STENCIL_BUFFER_BIT);
    drawFlatColor(1, 0, 0, 1);

    app->draw();
    auto frame = readFrame();
    EXPECT_EQ(pixel(frame, 10, 10), (std::array<uint8_t, 4>{0, 0, 0, 0})) << "black with alpha 0";

    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    drawFlatColor(0, 1, 0, 1);
    glDisable(GL_STENCIL_TEST);
    frame = readFrame();
    EXPECT_EQ(pixel(frame, 240, 160), (std::array<uint8_t, 4>{0, 255, 0, 255}));
    EXPECT_EQ(pixel(frame, 479, 319), (std::array<uint8_t, 4>{0, 255, 0, 255}));
}

namespace {

// A drawable of another size than the logical window.
class SmallSurface : public HostSurface {
public:
    void renderbufferStorage() override { glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8_OES, 200, 100); }
    void present() override { ++presented; }
    int presented = 0;
};

// Restores the test context's surface when a test swaps it.
struct SurfaceSwap {
    explicit SurfaceSwap(HostSurface* s) : saved(HostSurface::current()) { HostSurface::setCurrent(s); }
    ~SurfaceSwap() { HostSurface::setCurrent(saved); }
    HostSurface* saved;
};

class ClockReadingApp : public GLApp {
public:
    void draw() override
    {
        GLApp::draw();
        seen = vell::Timer::getInstance()->getTime();
    }
    float seen = -1;
};

class FaultyApp : public GLApp {
public:
    void draw() override { glEnable(0x1234); } // GL_INVALID_ENUM
};

// Creates a render target after a GL error, as a faulty effect might.
class ErrorThenRenderTargetApp : public GLApp {
public:
    void draw() override
    {
        glEnable(0x1234);
        delete vell::RenderTexture::create(32, 32, true);
    }
};

// Draws red, then begins a render target (cleared green) and never ends it.
class LeavesATargetBoundApp : public GLApp {
public:
    void draw() override
    {
        GLApp::draw();
        drawFlatColor(1, 0, 0, 1);
        if (!target)
            target.reset(vell::RenderTexture::create(480, 320, false));
        target->begin();
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    std::unique_ptr<vell::RenderTexture> target;
};

} // namespace

TEST_F(GLAppTest, ViewportFollowsTheRenderbufferNotTheWindow)
{
    SmallSurface small;
    SurfaceSwap swap(&small);
    TestApp other;
    other.init();
    EXPECT_EQ(other.width, 200);
    EXPECT_EQ(other.height, 100);
    other.update();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 100);
    EXPECT_EQ(small.presented, 1);
}

TEST_F(GLAppTest, ClockAdvancesBeforeTheFrameIsDrawn)
{
    ClockReadingApp timed;
    timed.init();
    for (int i = 0; i < 3; ++i) {
        HostClock::advance();
        timed.update();
        EXPECT_EQ(timed.seen, vell::Timer::getInstance()->getTime());
    }
    EXPECT_GT(timed.seen, 0.0f);
}

TEST(GLAppDeathTest, GLErrorAfterDrawEndsTheProcessAsAFailureWithoutPresenting)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(2, 1); // log lines to stderr, where the death test reads them
            HeadlessContext context;
            SmallSurface counting;
            HostSurface::setCurrent(&counting);
            FaultyApp app;
            app.init();
            app.update();
            if (counting.presented)
                fprintf(stderr, "the faulty frame was presented\n");
        },
        testing::ExitedWithCode(EXIT_FAILURE), "Error: OpenGL error 1280\n$");
}

TEST_F(GLAppTest, PresentsTheMainFramebufferWhateverDrawLeftBound)
{
    auto* context = dynamic_cast<HeadlessContext*>(HostSurface::current());
    ASSERT_NE(context, nullptr);
    LeavesATargetBoundApp leaving;
    leaving.init();
    HostClock::advance();
    leaving.update();
    EXPECT_EQ(pixel(context->readPresented(), 240, 160), (std::array<uint8_t, 4>{255, 0, 0, 255}));
    EXPECT_EQ(pixel(readFrame(), 240, 160), (std::array<uint8_t, 4>{0, 255, 0, 255}))
        << "presenting leaves the application's binding alone";
}

TEST(GLAppDeathTest, AnErrorPendingWhenARenderTargetIsMadeIsStillFatalAtTheFrameEnd)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            HeadlessContext context;
            ErrorThenRenderTargetApp app;
            app.init();
            app.update();
        },
        testing::ExitedWithCode(EXIT_FAILURE), "Error: OpenGL error 1280\n$");
}
