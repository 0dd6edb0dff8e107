#include "framework/GLApp.h"

#include "utils/Platform.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2ext.h>

#include <cstdlib>

using vell::Log;

void GLApp::init()
{
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);

    glGenRenderbuffers(1, &colorRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, colorRenderbuffer);
    osRenderbufferStorage();
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorRenderbuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &width);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &height);

    attachDepthStencil();
    glLineWidth(static_cast<GLfloat>(osGetContentScale())); // a line one point wide

    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        Log::msg("failed to make complete framebuffer object %x", status);
}

// Separate 16-bit depth and 8-bit stencil renderbuffers where the GL takes
// them; otherwise one packed depth-stencil renderbuffer on both points.
void GLApp::attachDepthStencil()
{
    glGenRenderbuffers(1, &depthRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);

    glGenRenderbuffers(1, &stencilRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, stencilRenderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_STENCIL_INDEX8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, stencilRenderbuffer);

    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_UNSUPPORTED) {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
        glDeleteRenderbuffers(1, &stencilRenderbuffer);
        stencilRenderbuffer = 0;

        glBindRenderbuffer(GL_RENDERBUFFER, depthRenderbuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8_OES, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthRenderbuffer);
    }
}

void GLApp::update()
{
    vell::Timer::getInstance()->update();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    draw();
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        Log::msg("Error: OpenGL error %d", error);
        exit(EXIT_FAILURE); // a GL fault is a failure, not a clean end
    }
    glBindRenderbuffer(GL_RENDERBUFFER, colorRenderbuffer);
    osPresentRenderbuffer();
}

void GLApp::draw()
{
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

GLApp::~GLApp()
{
    if (framebuffer)
        glDeleteFramebuffers(1, &framebuffer);
    for (GLuint* renderbuffer : {&colorRenderbuffer, &depthRenderbuffer, &stencilRenderbuffer}) {
        if (*renderbuffer)
            glDeleteRenderbuffers(1, renderbuffer);
        *renderbuffer = 0;
    }
    framebuffer = 0;
}
