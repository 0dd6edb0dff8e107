#include "support/HeadlessGL.h"

#include "HeadlessContext.h"
#include "HostClock.h"
#include "graphics/GLDefaults.h"
#include "utils/Timer.h"

void HeadlessGLTest::SetUp()
{
    static HeadlessContext* context = new HeadlessContext(); // shared by every test of the process
    ASSERT_TRUE(context->isValid()) << context->errorText();
    context->makeCurrent();
    while (glGetError() != GL_NO_ERROR) {
    }
    // Each test starts like a fresh run: clock at zero, default GL state.
    HostClock::set(0);
    vell::Timer::getInstance()->reset();
    vell::GLDefaults::restore();
    app = std::make_unique<TestApp>();
    app->init();
    glBindFramebuffer(GL_FRAMEBUFFER, app->framebuffer);
    app->draw();
}

void HeadlessGLTest::TearDown()
{
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the test left a GL error";
    app.reset();
}

std::vector<uint8_t> HeadlessGLTest::readFrame()
{
    return HeadlessContext::readFrame();
}

std::array<uint8_t, 4> HeadlessGLTest::pixel(const std::vector<uint8_t>& frame, int x, int y)
{
    const size_t i = (static_cast<size_t>(y) * HeadlessContext::kWidth + x) * 4;
    return {frame[i], frame[i + 1], frame[i + 2], frame[i + 3]};
}
