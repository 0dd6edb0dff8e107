#pragma once

#include <EGL/egl.h>

#include <string>

// An OpenGL ES 2.0 context drawing off screen (EGL's surfaceless platform, on
// a pbuffer where one is offered, else into the program's own framebuffers),
// made current when it opens.
class SurfacelessContext {
public:
    SurfacelessContext();
    ~SurfacelessContext();
    SurfacelessContext(const SurfacelessContext&) = delete;
    SurfacelessContext& operator=(const SurfacelessContext&) = delete;

    bool isValid() const { return context != EGL_NO_CONTEXT; }
    const std::string& errorText() const { return error; }
    void makeCurrent();

private:
    void fail(const char* what);

    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
    std::string error;
};
