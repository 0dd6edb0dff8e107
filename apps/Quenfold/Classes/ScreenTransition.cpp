#include "ScreenTransition.h"

#include "HostSurface.h"
#include "graphics/Overlay.h"
#include "graphics/Texture2D.h"

#include <GLES2/gl2.h>

namespace {

void copyFrame(vell::Texture2D& texture)
{
    glActiveTexture(GL_TEXTURE0);
    texture.bind();
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, HostSurface::pixelWidth(), HostSurface::pixelHeight());
}

// Place of the leaving screen, in frame widths, at time t (0 to 1) of a
// forward slide: out to the left, easing out.
float leavingOffset(float t)
{
    const float u = 1.0f - t;
    return -(1.0f - u * u);
}

} // namespace

ScreenTransition::ScreenTransition()
    : leaving(vell::Texture2D::create(HostSurface::pixelWidth(), HostSurface::pixelHeight())),
      arriving(vell::Texture2D::create(HostSurface::pixelWidth(), HostSurface::pixelHeight())),
      overlay(std::make_unique<vell::Overlay>())
{
}

ScreenTransition::~ScreenTransition() = default;

void ScreenTransition::start(bool isForward)
{
    forward = isForward;
    armed = true;
    copyFrame(*leaving);
}

void ScreenTransition::draw(double now)
{
    if (armed)
        startTime = now;
    armed = false;
    copyFrame(*arriving);
    const float t = static_cast<float>((now - startTime) / kSeconds);
    const float side = forward ? 1.0f : -1.0f;
    const float leaveX = side * leavingOffset(t < 1 ? t : 1);
    glDisable(GL_BLEND);
    for (auto [texture, x] : {std::pair{leaving.get(), leaveX}, std::pair{arriving.get(), leaveX + side}}) {
        const int w = HostSurface::pixelWidth();
        glViewport(static_cast<GLint>(x * static_cast<float>(w)), 0, w, HostSurface::pixelHeight());
        overlay->render(texture, false);
    }
}
