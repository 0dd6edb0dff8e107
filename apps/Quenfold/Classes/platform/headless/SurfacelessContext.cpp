#include "SurfacelessContext.h"

#include "DriverHeap.h"
#include "HostSurface.h"

#include <EGL/eglext.h>

#include <cstdio>
#include <cstdlib>

SurfacelessContext::SurfacelessContext()
{
    // Plain OpenGL ES 2.0 even where more is offered.
    setenv("MESA_GLES_VERSION_OVERRIDE", "2.0", 0);
    DriverHeap::keepFreedBlocks();
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
        fail("EGL has no eglGetPlatformDisplayEXT");
        return;
    }
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        display = EGL_NO_DISPLAY;
        fail("cannot open the surfaceless EGL display");
        return;
    }
    eglBindAPI(EGL_OPENGL_ES_API);

    const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_ES2_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                    EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    const bool hasPbuffer = eglChooseConfig(display, configAttribs, &config, 1, &count) && count > 0;
    if (hasPbuffer) {
        const EGLint pbufferAttribs[] = {EGL_WIDTH, HostSurface::kWidth, EGL_HEIGHT, HostSurface::kHeight, EGL_NONE};
        surface = eglCreatePbufferSurface(display, config, pbufferAttribs);
    } else {
        // Without pbuffer configs, any ES 2 config renders into our own framebuffers.
        const EGLint anyAttribs[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT, EGL_NONE};
        if (!eglChooseConfig(display, anyAttribs, &config, 1, &count) || count == 0) {
            fail("no OpenGL ES 2.0 EGL config");
            return;
        }
    }
    const EGLint contextAttribs[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
    if (context == EGL_NO_CONTEXT) {
        fail("cannot create an OpenGL ES 2.0 context");
        return;
    }
    makeCurrent();
}

SurfacelessContext::~SurfacelessContext()
{
    if (display == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT)
        eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE)
        eglDestroySurface(display, surface);
    eglTerminate(display);
}

void SurfacelessContext::fail(const char* what)
{
    char code[32];
    snprintf(code, sizeof(code), " (EGL error 0x%04X)", static_cast<unsigned>(eglGetError()));
    error = std::string(what) + code;
}

void SurfacelessContext::makeCurrent()
{
    if (!eglMakeCurrent(display, surface, surface, context))
        fail("cannot make the context current");
}
