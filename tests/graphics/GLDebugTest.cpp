#include "graphics/GLDebug.h"
#include "support/HeadlessGL.h"

#include <string>

using vell::GLDebug;

namespace {

using GLDebugTest = HeadlessGLTest;

const GLenum notACapability = 0x1234;

std::string checkErrorsOutput(const char* label)
{
    testing::internal::CaptureStdout();
    GLDebug::checkErrors(label);
    return testing::internal::GetCapturedStdout();
}

} // namespace

TEST_F(GLDebugTest, LabelThenCodeInDecimalAndHexOnlyWhenAnErrorIsPending)
{
    EXPECT_EQ(checkErrorsOutput("Linking program"), "");

    glEnable(notACapability); // GL_INVALID_ENUM
    EXPECT_EQ(checkErrorsOutput("Linking program"), "Linking program\nERROR: OpenGL error: 1280 / 0x 500\n");
    EXPECT_EQ(checkErrorsOutput("Linking program"), "") << "the error was read";

    glEnable(notACapability);
    EXPECT_EQ(checkErrorsOutput(nullptr), "ERROR: OpenGL error: 1280 / 0x 500\n");

    // A label is printed as it stands, never read as a format.
    glEnable(notACapability);
    EXPECT_EQ(checkErrorsOutput("100% %s"), "100% %s\nERROR: OpenGL error: 1280 / 0x 500\n");
}

TEST_F(GLDebugTest, CountsEveryReportedError)
{
    const long before = GLDebug::errorCount();
    checkErrorsOutput("none pending");
    glEnable(notACapability);
    glEnable(notACapability); // still the first error: GL keeps one flag per kind
    checkErrorsOutput("first");
    checkErrorsOutput("second");
    glBindTexture(notACapability, 0); // GL_INVALID_ENUM again
    checkErrorsOutput("third");
    EXPECT_EQ(GLDebug::errorCount(), before + 2);
}
