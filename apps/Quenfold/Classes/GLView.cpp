#include "GLView.h"

#include "DriverHeap.h"
#include "PresentedColour.h"
#include "utils/Timer.h"

#include <cstdlib>

namespace {

constexpr double kTickSeconds = 1.0 / 60.0;

} // namespace

GLView::~GLView()
{
    if (HostSurface::current() == this)
        HostSurface::setCurrent(nullptr);
    if (presentContext) {
        SDL_GL_MakeCurrent(window, presentContext);
        letterbox.destroy();
        SDL_GL_DeleteContext(presentContext);
    }
    if (appContext)
        SDL_GL_DeleteContext(appContext);
    if (window)
        SDL_DestroyWindow(window);
    SDL_Quit();
}

bool GLView::fail(const std::string& what)
{
    error = what + ": " + SDL_GetError();
    return false;
}

bool GLView::open()
{
    setenv("MESA_GLES_VERSION_OVERRIDE", "2.0", 0);
    SDL_SetHint(SDL_HINT_OPENGL_ES_DRIVER, "1");
    DriverHeap::keepFreedBlocks();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        return fail("cannot start the video system");

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);

    window = SDL_CreateWindow("Quenfold", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth * 2,
                              kHeight * 2, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window)
        return fail("cannot open the window");
    appContext = SDL_GL_CreateContext(window);
    if (!appContext)
        return fail("cannot create an OpenGL ES 2.0 context");
    presentContext = SDL_GL_CreateContext(window); // shares with appContext, now current
    if (!presentContext)
        return fail("cannot create the presenting context");
    if (!letterbox.create())
        return fail("cannot set up presentation");

    // Let the display pace the frames when it refreshes at 60 Hz; otherwise a timer does.
    SDL_DisplayMode mode;
    const bool sixtyHz = SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window), &mode) == 0 &&
                         mode.refresh_rate >= 59 && mode.refresh_rate <= 61;
    vsync = sixtyHz && SDL_GL_SetSwapInterval(1) == 0;
    if (!vsync)
        SDL_GL_SetSwapInterval(0);

    if (SDL_GL_MakeCurrent(window, appContext) != 0)
        return fail("cannot make the context current");
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
    {
        PresentedColour source(PresentedColour::boundRenderbuffer());
        if (overlay)
            overlay();
        letterbox.capture();
    }
    SDL_GL_MakeCurrent(window, presentContext);
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window, &w, &h);
    letterbox.draw(w, h);
    SDL_GL_SwapWindow(window);
    SDL_GL_MakeCurrent(window, appContext);
    if (logged)
        frameLog->record(vell::Timer::getInstance()->getTime(), FrameLog::processCpuSeconds() - cpuBefore);
}

void GLView::toWindowPoints(int x, int y, int* px, int* py) const
{
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    const Letterbox::Rect r = Letterbox::fit(w, h);
    const float sx = r.width > 0 ? static_cast<float>(x - r.x) * kWidth / r.width : 0.0f;
    const float sy = r.height > 0 ? static_cast<float>(y - r.y) * kHeight / r.height : 0.0f;
    *px = static_cast<int>(SDL_clamp(sx, 0.0f, kWidth - 1.0f));
    *py = static_cast<int>(SDL_clamp(sy, 0.0f, kHeight - 1.0f));
}

void GLView::toggleFullscreen()
{
    const bool full = SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void GLView::pace()
{
    if (vsync)
        return;
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 tick = static_cast<Uint64>(kTickSeconds * frequency);
    const Uint64 now = SDL_GetPerformanceCounter();
    if (nextTick == 0 || now > nextTick + tick)
        nextTick = now; // first frame, or too far behind to catch up
    nextTick += tick;
    if (nextTick > now)
        SDL_Delay(static_cast<Uint32>((nextTick - now) * 1000 / frequency));
}
