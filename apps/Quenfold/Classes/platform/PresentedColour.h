#pragma once

#include <GLES2/gl2.h>

// A framebuffer of its own whose colour is the renderbuffer being presented,
// so a frame is read from it whatever framebuffer the application left bound.
// The framebuffer is made once and kept for every frame after.
class PresentedColour {
public:
    PresentedColour() = default;
    ~PresentedColour(); // with the context current
    PresentedColour(const PresentedColour&) = delete;
    PresentedColour& operator=(const PresentedColour&) = delete;

    // Binds the framebuffer with renderbuffer as its colour; false, and the
    // bound framebuffer stays, when renderbuffer is none.
    bool bind(GLuint renderbuffer);
    // Binds again the framebuffer bound before bind().
    void restore();

    static GLuint boundRenderbuffer();

private:
    GLuint framebuffer = 0;
    GLint previous = 0;
    bool bound = false;
};
