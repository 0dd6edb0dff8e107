#pragma once

#include "HostSurface.h"
#include "Letterbox.h"

#include <GLES2/gl2.h>

#include <string>

// The page's canvas: a WebGL 1 context whose default framebuffer shows the
// frame, 480S x 320S pixels at the content scale S that fits the canvas on
// the screen (the browser scales that to the canvas's box). WebGL 1 has no
// 8-bit colour renderbuffer, so the frame's colour lives in a texture
// attached in the renderbuffer's place.
class WebSurface : public HostSurface {
public:
    WebSurface() = default;
    ~WebSurface() override;
    WebSurface(const WebSurface&) = delete;
    WebSurface& operator=(const WebSurface&) = delete;

    // Creates the context on the canvas with the given CSS selector, at the
    // scale that fits the canvas.
    bool open(const char* canvas);
    // Takes the scale that fits the canvas now, if it differs, while no
    // screen's targets exist (they are sized when made).
    void fitScale();

    void renderbufferStorage() override;
    void present() override;

    // The texture standing in for renderbuffer, or 0 when it has none.
    GLuint textureFor(GLuint renderbuffer) const;

private:
    std::string canvasSelector;
    int shownScale = 0; // none before open
    Letterbox letterbox;
    GLuint frameRenderbuffer = 0;
};
