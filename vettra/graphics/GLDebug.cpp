#include "graphics/GLDebug.h"

#include "utils/Utils.h"

#include <GLES2/gl2.h>

namespace vell {

namespace {

long errorsReported = 0;

} // namespace

long GLDebug::errorCount()
{
    return errorsReported;
}

void GLDebug::checkErrors(const char* label)
{
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return;
    ++errorsReported;
    if (label)
        Log::msg("%s", label);
    Log::error("OpenGL error: %d / 0x %X", error, error);
}

} // namespace vell
