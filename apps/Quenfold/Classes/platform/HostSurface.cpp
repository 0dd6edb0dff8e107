#include "HostSurface.h"

#include <GLES2/gl2.h>
#include <GLES2/gl2ext.h>

namespace {
HostSurface* currentSurface = nullptr;
}

void HostSurface::renderbufferStorage()
{
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8_OES, kWidth, kHeight);
}

HostSurface* HostSurface::current()
{
    return currentSurface;
}

void HostSurface::setCurrent(HostSurface* surface)
{
    currentSurface = surface;
}
