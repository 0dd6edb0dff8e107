#include "PresentedColour.h"

PresentedColour::~PresentedColour()
{
    restore();
    if (framebuffer)
        glDeleteFramebuffers(1, &framebuffer);
}

bool PresentedColour::bind(GLuint renderbuffer)
{
    if (!renderbuffer || !glIsRenderbuffer(renderbuffer))
        return false;
    if (!bound)
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    if (!framebuffer)
        glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // Attached every time: a renderbuffer deleted and made again may come back under the same name.
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer);
    bound = true;
    return true;
}

void PresentedColour::restore()
{
    if (bound)
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    bound = false;
}

GLuint PresentedColour::boundRenderbuffer()
{
    GLint renderbuffer = 0;
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &renderbuffer);
    return static_cast<GLuint>(renderbuffer);
}
