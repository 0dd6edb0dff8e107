#include "HostSurface.h"

#include <GLES2/gl2.h>
#include <GLES2/gl2ext.h>

#include <algorithm>

namespace {
HostSurface* currentSurface = nullptr;
int contentScale = 1;
} // namespace

void HostSurface::renderbufferStorage()
{
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8_OES, pixelWidth(), pixelHeight());
}

HostSurface* HostSurface::current()
{
    return currentSurface;
}

void HostSurface::setCurrent(HostSurface* surface)
{
    currentSurface = surface;
}

int HostSurface::scale()
{
    return contentScale;
}

int HostSurface::largestScaleFitting(int width, int height)
{
    int s = kMaxScale;
    while (s > 1 && (kWidth * s > width || kHeight * s > height))
        --s;
    return s;
}

void HostSurface::setScale(int s)
{
    contentScale = std::clamp(s, 1, kMaxScale);
}
