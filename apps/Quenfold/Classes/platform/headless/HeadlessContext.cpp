#include "HeadlessContext.h"

#include "HostClock.h"

#include <cstdlib>
#include <cstring>

HeadlessContext::HeadlessContext(int fps)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1); // sound goes nowhere
    HostClock::useFixedStep(1.0 / fps);
    if (egl.isValid())
        HostSurface::setCurrent(this);
}

HeadlessContext::~HeadlessContext()
{
    if (HostSurface::current() == this)
        HostSurface::setCurrent(nullptr);
}

void HeadlessContext::present()
{
    presented = PresentedColour::boundRenderbuffer();
}

std::vector<uint8_t> HeadlessContext::readPresented() const
{
    source.bind(presented);
    std::vector<uint8_t> frame = readFrame();
    source.restore();
    return frame;
}

std::vector<uint8_t> HeadlessContext::readFrame()
{
    return readFrame(pixelWidth(), pixelHeight());
}

std::vector<uint8_t> HeadlessContext::readFrame(int width, int height)
{
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> bottomUp(rowBytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    for (int y = 0; y < height; ++y)
        memcpy(&topDown[y * rowBytes], &bottomUp[(height - 1 - y) * rowBytes], rowBytes);
    return topDown;
}
