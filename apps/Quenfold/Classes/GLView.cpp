#include "GLView.h"

#include "CpuPresenter.h"
#include "DriverHeap.h"
#include "GLPresenter.h"
#include "Letterbox.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// SDL's drivers that show nothing on any screen.
bool showsNothing(const char* driver)
{
    return !driver || strcmp(driver, "dummy") == 0 || strcmp(driver, "offscreen") == 0;
}

} // namespace

GLView::~GLView()
{
    if (HostSurface::current() == this)
        HostSurface::setCurrent(nullptr);
    source.reset(); // its framebuffer goes while the context is current
    presenter.reset();
    if (videoStarted)
        SDL_Quit();
}

bool GLView::open(int scale, PresenterChoice::Request request)
{
    setenv("MESA_GLES_VERSION_OVERRIDE", "2.0", 0);
    DriverHeap::keepFreedBlocks();
    SDL_SetHint(SDL_HINT_OPENGL_ES_DRIVER, "1");
    // The window's pixels go to the display as they are (on X11 through shared
    // memory), not through a renderer of SDL's own.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const char* const noDisplay = "no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set); "
                                  "for frames without a display use quenfold-render";
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY") && !getenv("SDL_VIDEODRIVER")) {
        error = noDisplay; // asked before SDL tries every driver, each with lines of its own
        return false;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = std::string("no display to open a window on (") + SDL_GetError() +
                "); for frames without a display use quenfold-render";
        return false;
    }
    videoStarted = true;
    if (showsNothing(SDL_GetCurrentVideoDriver())) {
        error = std::string("no display to open a window on (SDL's video driver '") + SDL_GetCurrentVideoDriver() +
                "' shows nothing); for frames without a display use quenfold-render";
        return false;
    }
    PresenterChoice choice(request, [scale](Presenter::Kind kind, std::string* why) -> std::unique_ptr<Presenter> {
        if (kind == Presenter::Kind::Gl)
            return GLPresenter::open(scale, why);
        return CpuPresenter::open(scale, why);
    });
    presenter = choice.take();
    if (!presenter) {
        error = choice.error();
        return false;
    }
    if (!choice.fallback().empty())
        fprintf(stderr, "quenfold: %s\n", choice.fallback().c_str());
    presentingLine = presenter->way() + " (" + choice.reason() + ")";
    presenter->show();
    source.emplace();
    HostSurface::setCurrent(this);
    return true;
}

void GLView::present()
{
    const bool logged = frameLog && frameLog->isOpen();
    double cpuBefore = 0;
    if (logged) {
        glFinish(); // the frame's own drawing is not the presentation's
        cpuBefore = FrameLog::processCpuSeconds();
    }
    source->bind(PresentedColour::boundRenderbuffer());
    if (overlay)
        overlay();
    std::string why;
    const bool shown = presenter->present(pixelWidth(), pixelHeight(), [this] {
        waitForTick();
        waited = true;
    }, &why);
    source->restore();
    if (shown)
        showing = true;
    else
        missed(why);
    if (logged)
        frameLog->record(vell::Timer::getInstance()->getTime(), FrameLog::processCpuSeconds() - cpuBefore);
}

void GLView::missed(const std::string& what)
{
    if (showing) // said once until frames show again
        fprintf(stderr, "quenfold: %s\n", what.c_str());
    showing = false;
}

void GLView::drawableSize(int* width, int* height) const
{
    presenter->drawableSize(width, height);
}

void GLView::toWindowPoints(int x, int y, int* px, int* py) const
{
    int w = 0, h = 0;
    SDL_GetWindowSize(presenter->window(), &w, &h);
    const Letterbox::Rect r = Letterbox::fit(w, h);
    const float sx = r.width > 0 ? static_cast<float>(x - r.x) * kWidth / r.width : 0.0f;
    const float sy = r.height > 0 ? static_cast<float>(y - r.y) * kHeight / r.height : 0.0f;
    *px = static_cast<int>(SDL_clamp(sx, 0.0f, kWidth - 1.0f));
    *py = static_cast<int>(SDL_clamp(sy, 0.0f, kHeight - 1.0f));
}

void GLView::toggleFullscreen()
{
    SDL_Window* window = presenter->window();
    const bool full = SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void GLView::pace()
{
    if (!waited)
        waitForTick();
    waited = false;
}

void GLView::waitForTick()
{
    const double now =
        static_cast<double>(SDL_GetPerformanceCounter()) / static_cast<double>(SDL_GetPerformanceFrequency());
    const double wait = pacer.waitBefore(now);
    if (wait > 0)
        SDL_Delay(static_cast<Uint32>(wait * 1000));
}
