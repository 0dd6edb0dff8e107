#pragma once

#include <GLES2/gl2.h>

namespace vell {

class Texture2D;

// A framebuffer object with an optional depth renderbuffer. bind() remembers
// the framebuffer bound before, so targets nest.
class FBO {
public:
    FBO();
    ~FBO();
    FBO(const FBO&) = delete;
    FBO& operator=(const FBO&) = delete;

    void bind();
    void unbind();
    // Creates the depth renderbuffer; bindColorTexture attaches it.
    void addDepthBuffer(int width, int height);
    // Attaches texture as colour (and the depth buffer, if any) to the bound framebuffer.
    void bindColorTexture(Texture2D* texture);
    // Logs an incomplete framebuffer.
    void checkErrors();

private:
    GLuint framebuffer = 0;
    GLuint depthBuffer = 0;
    GLint previousFramebuffer = 0;
};

} // namespace vell
