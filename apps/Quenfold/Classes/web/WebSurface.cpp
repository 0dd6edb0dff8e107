#include "WebSurface.h"

#include "OverlayState.h"

#include <emscripten/html5.h>
#include <webgl/webgl1.h>

namespace {

WebSurface* openSurface = nullptr;

// Vertex attribute 0 as the application left it; the presentation draws with it.
class Attribute0 {
public:
    Attribute0()
    {
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &buffer);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_TYPE, &type);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalized);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
        glGetVertexAttribPointerv(0, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);
    }
    ~Attribute0()
    {
        GLint arrayBuffer = 0;
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(buffer));
        glVertexAttribPointer(0, size, static_cast<GLenum>(type), static_cast<GLboolean>(normalized), stride,
                              pointer);
        glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(arrayBuffer));
        if (!enabled)
            glDisableVertexAttribArray(0);
    }
    Attribute0(const Attribute0&) = delete;
    Attribute0& operator=(const Attribute0&) = delete;

private:
    GLint enabled = 0, buffer = 0, size = 4, type = GL_FLOAT, normalized = 0, stride = 0;
    void* pointer = nullptr;
};

} // namespace

// The application attaches its colour renderbuffer here; the frame texture
// goes in its place.
extern "C" void glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                                          GLuint renderbuffer)
{
    const GLuint texture = openSurface && attachment == GL_COLOR_ATTACHMENT0
                               ? openSurface->textureFor(renderbuffer)
                               : 0;
    if (texture)
        emscripten_glFramebufferTexture2D(target, attachment, GL_TEXTURE_2D, texture, 0);
    else
        emscripten_glFramebufferRenderbuffer(target, attachment, renderbufferTarget, renderbuffer);
}

WebSurface::~WebSurface()
{
    if (openSurface == this)
        openSurface = nullptr;
    if (HostSurface::current() == this)
        HostSurface::setCurrent(nullptr);
}

bool WebSurface::open(const char* canvas)
{
    EmscriptenWebGLContextAttributes attrs;
    emscripten_webgl_init_context_attributes(&attrs);
    attrs.alpha = false;
    attrs.depth = false;
    attrs.stencil = false;
    attrs.antialias = false;
    attrs.preserveDrawingBuffer = true; // the page may read the picture back
    attrs.majorVersion = 1;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(canvas, &attrs);
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS)
        return false;
    emscripten_set_canvas_element_size(canvas, kWidth, kHeight);
    if (!letterbox.create())
        return false;
    glBindTexture(GL_TEXTURE_2D, 0);
    openSurface = this;
    HostSurface::setCurrent(this);
    return true;
}

void WebSurface::renderbufferStorage()
{
    // A stand-in keeps the renderbuffer valid; the frame is drawn into the texture.
    GLint bound = 0;
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &bound);
    frameRenderbuffer = static_cast<GLuint>(bound);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA4, kWidth, kHeight);
}

GLuint WebSurface::textureFor(GLuint renderbuffer) const
{
    return renderbuffer != 0 && renderbuffer == frameRenderbuffer ? letterbox.frameTexture() : 0;
}

void WebSurface::present()
{
    GLint framebuffer = 0;
    GLfloat clearColour[4] = {};
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    {
        Attribute0 attribute;
        OverlayState saved;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        letterbox.draw(kWidth, kHeight);
    }
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
}
