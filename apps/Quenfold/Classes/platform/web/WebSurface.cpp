#include "WebSurface.h"

#include "CanvasScale.h"

#include <GLES2/gl2ext.h>
#include <emscripten/html5.h>
#include <webgl/webgl1.h>

#include <cstdio>
#include <set>

namespace {

// WebGL 1's packed depth and stencil format and its attachment point.
constexpr GLenum kDepthStencil = 0x84F9;
constexpr GLenum kDepthStencilAttachment = 0x821A;

WebSurface* openSurface = nullptr;

// Renderbuffers given depth and stencil storage: WebGL 1 attaches them at
// one attachment point of its own.
std::set<GLuint> depthStencil;

} // namespace

// OpenGL ES 2.0 renderbuffers on WebGL 1: the application's packed depth and
// stencil format becomes WebGL's own.
extern "C" void glRenderbufferStorage(GLenum target, GLenum format, GLsizei width, GLsizei height)
{
    GLint bound = 0;
    emscripten_glGetIntegerv(GL_RENDERBUFFER_BINDING, &bound);
    const bool packed = format == GL_DEPTH24_STENCIL8_OES;
    if (packed)
        depthStencil.insert(static_cast<GLuint>(bound));
    else
        depthStencil.erase(static_cast<GLuint>(bound));
    emscripten_glRenderbufferStorage(target, packed ? kDepthStencil : format, width, height);
}

// The colour renderbuffer of the frame is replaced by the frame texture; a
// depth and stencil one is attached once, as both.
extern "C" void glFramebufferRenderbuffer(GLenum target, GLenum attachment, GLenum renderbufferTarget,
                                          GLuint renderbuffer)
{
    const GLuint texture = openSurface && attachment == GL_COLOR_ATTACHMENT0
                               ? openSurface->textureFor(renderbuffer)
                               : 0;
    if (texture) {
        emscripten_glFramebufferTexture2D(target, attachment, GL_TEXTURE_2D, texture, 0);
    } else if ((attachment == GL_DEPTH_ATTACHMENT || attachment == GL_STENCIL_ATTACHMENT) &&
               depthStencil.count(renderbuffer)) {
        emscripten_glFramebufferRenderbuffer(target, GL_DEPTH_ATTACHMENT, renderbufferTarget, 0);
        emscripten_glFramebufferRenderbuffer(target, GL_STENCIL_ATTACHMENT, renderbufferTarget, 0);
        emscripten_glFramebufferRenderbuffer(target, kDepthStencilAttachment, renderbufferTarget,
                                             renderbuffer);
    } else {
        emscripten_glFramebufferRenderbuffer(target, attachment, renderbufferTarget, renderbuffer);
    }
}

// WebGL 1 takes at most one of the depth, stencil and packed attachment
// points and calls any more "unsupported" with a console warning; the answer
// is known beforehand, so the warning is spared.
extern "C" GLenum glCheckFramebufferStatus(GLenum target)
{
    GLint bound = 0;
    emscripten_glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    int attached = 0;
    for (GLenum point : {GLenum(GL_DEPTH_ATTACHMENT), GLenum(GL_STENCIL_ATTACHMENT), kDepthStencilAttachment}) {
        GLint type = GL_NONE;
        if (bound) // the canvas's own framebuffer has no attachments to ask about
            emscripten_glGetFramebufferAttachmentParameteriv(target, point, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE,
                                                             &type);
        attached += type != GL_NONE;
    }
    return attached > 1 ? GLenum(GL_FRAMEBUFFER_UNSUPPORTED) : emscripten_glCheckFramebufferStatus(target);
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
    canvasSelector = canvas;
    if (!letterbox.create())
        return false;
    fitScale();
    openSurface = this;
    HostSurface::setCurrent(this);
    return true;
}

void WebSurface::fitScale()
{
    double cssWidth = 0, cssHeight = 0;
    emscripten_get_element_css_size(canvasSelector.c_str(), &cssWidth, &cssHeight);
    const int s = CanvasScale::fitting(cssWidth, cssHeight, emscripten_get_device_pixel_ratio());
    if (s == shownScale)
        return;
    shownScale = s;
    HostSurface::setScale(s);
    emscripten_set_canvas_element_size(canvasSelector.c_str(), pixelWidth(), pixelHeight());
    letterbox.sizeFrame();
    glBindTexture(GL_TEXTURE_2D, 0);
    printf("content scale %dx\n", s);
}

void WebSurface::renderbufferStorage()
{
    // A stand-in of the frame's size (the viewport is read from it) keeps the
    // renderbuffer valid; the frame is drawn into the texture.
    GLint bound = 0;
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &bound);
    frameRenderbuffer = static_cast<GLuint>(bound);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA4, pixelWidth(), pixelHeight());
}

GLuint WebSurface::textureFor(GLuint renderbuffer) const
{
    return renderbuffer != 0 && renderbuffer == frameRenderbuffer ? letterbox.frameTexture() : 0;
}

void WebSurface::present()
{
    letterbox.drawIntoDefault(pixelWidth(), pixelHeight());
}
