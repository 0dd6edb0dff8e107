#include "HostSurface.h"

namespace {
HostSurface* currentSurface = nullptr;
}

HostSurface* HostSurface::current()
{
    return currentSurface;
}

void HostSurface::setCurrent(HostSurface* surface)
{
    currentSurface = surface;
}
