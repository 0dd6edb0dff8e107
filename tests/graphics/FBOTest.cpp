#include "graphics/FBO.h"
#include "graphics/Texture2D.h"
#include "support/HeadlessGL.h"

#include <memory>

using namespace vell;

namespace {

using FBOTest = HeadlessGLTest;

GLuint boundFramebuffer()
{
    GLint name = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &name);
    return static_cast<GLuint>(name);
}

} // namespace

TEST_F(FBOTest, NestedBindsUnwindToTheMainFramebuffer)
{
    FBO a, b;
    a.bind();
    const GLuint nameA = boundFramebuffer();
    EXPECT_NE(nameA, app->framebuffer);
    b.bind();
    EXPECT_NE(boundFramebuffer(), nameA);
    b.unbind();
    EXPECT_EQ(boundFramebuffer(), nameA);
    a.unbind();
    EXPECT_EQ(boundFramebuffer(), app->framebuffer);
}

TEST_F(FBOTest, CheckErrorsIsSilentWhenCompleteAndNamesTheProblemOtherwise)
{
    std::unique_ptr<Texture2D> color(Texture2D::create(32, 32));
    FBO complete;
    complete.bind();
    complete.addDepthBuffer(32, 32);
    complete.bindColorTexture(color.get());
    testing::internal::CaptureStdout();
    complete.checkErrors();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    complete.unbind();

    FBO empty;
    empty.bind();
    testing::internal::CaptureStdout();
    empty.checkErrors();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "FBO error: GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT\n");
    empty.unbind();
}
