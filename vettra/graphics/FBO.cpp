#include "graphics/FBO.h"

#include "graphics/Texture2D.h"
#include "utils/Utils.h"

namespace vell {

FBO::FBO()
{
    glGenFramebuffers(1, &framebuffer);
}

FBO::~FBO()
{
    glDeleteFramebuffers(1, &framebuffer);
    if (depthBuffer)
        glDeleteRenderbuffers(1, &depthBuffer);
}

void FBO::bind()
{
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void FBO::unbind()
{
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
}

void FBO::addDepthBuffer(int width, int height)
{
    glGenRenderbuffers(1, &depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
}

void FBO::bindColorTexture(Texture2D* texture)
{
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture->getTextureObject(), 0);
    if (depthBuffer)
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
}

void FBO::checkErrors()
{
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    switch (status) {
    case GL_FRAMEBUFFER_COMPLETE:
        break;
    case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT:
        Log::msg("FBO error: GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT");
        break;
    case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT:
        Log::msg("FBO error: GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT");
        break;
    case GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS:
        Log::msg("FBO error: GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS");
        break;
    case GL_FRAMEBUFFER_UNSUPPORTED:
        Log::msg("FBO error: GL_FRAMEBUFFER_UNSUPPORTED");
        break;
    default:
        Log::msg("FBO error: unknown [%d]", status);
        break;
    }
}

} // namespace vell
