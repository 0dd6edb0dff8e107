#include "PresentedColour.h"

PresentedColour::PresentedColour(GLuint renderbuffer)
{
    if (!renderbuffer || !glIsRenderbuffer(renderbuffer))
        return; // nothing to present from: the bound framebuffer stays
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer);
}

PresentedColour::~PresentedColour()
{
    if (!framebuffer)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    glDeleteFramebuffers(1, &framebuffer);
}

GLuint PresentedColour::boundRenderbuffer()
{
    GLint renderbuffer = 0;
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &renderbuffer);
    return static_cast<GLuint>(renderbuffer);
}
