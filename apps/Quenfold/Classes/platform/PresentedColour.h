#pragma once

#include <GLES2/gl2.h>

// For its lifetime binds a framebuffer of its own whose colour is the given
// renderbuffer, so a frame is read from the renderbuffer being presented,
// whatever framebuffer the application left bound.
class PresentedColour {
public:
    explicit PresentedColour(GLuint renderbuffer);
    ~PresentedColour();
    PresentedColour(const PresentedColour&) = delete;
    PresentedColour& operator=(const PresentedColour&) = delete;

    static GLuint boundRenderbuffer();

private:
    GLuint framebuffer = 0;
    GLint previous = 0;
};
