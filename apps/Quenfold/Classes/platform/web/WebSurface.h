#pragma once

#include "HostSurface.h"
#include "Letterbox.h"

#include <GLES2/gl2.h>

// The page's canvas: a WebGL 1 context whose default framebuffer shows the
// 480x320 frame. WebGL 1 has no 8-bit colour renderbuffer, so the frame's
// colour lives in a texture attached in the renderbuffer's place.
class WebSurface : public HostSurface {
public:
    WebSurface() = default;
    ~WebSurface() override;
    WebSurface(const WebSurface&) = delete;
    WebSurface& operator=(const WebSurface&) = delete;

    // Creates the context on the canvas with the given CSS selector.
    bool open(const char* canvas);

    void renderbufferStorage() override;
    void present() override;

    // The texture standing in for renderbuffer, or 0 when it has none.
    GLuint textureFor(GLuint renderbuffer) const;

private:
    Letterbox letterbox;
    GLuint frameRenderbuffer = 0;
};
