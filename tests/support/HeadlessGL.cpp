#include "support/HeadlessGL.h"

#include "HeadlessContext.h"
#include "HostClock.h"
#include "utils/Timer.h"

namespace {

// GL state as a fresh context has it, whatever an earlier test left behind.
void resetGLState()
{
    for (GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_CULL_FACE, GL_SCISSOR_TEST,
                       GL_POLYGON_OFFSET_FILL})
        glDisable(cap);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilMask(0xFF);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glUseProgram(0);
    GLint attributes = 0;
    glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &attributes);
    for (GLint i = 0; i < attributes; ++i)
        glDisableVertexAttribArray(static_cast<GLuint>(i));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

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
    resetGLState();
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
