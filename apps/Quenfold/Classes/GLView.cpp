#include "GLView.h"

#include "DriverHeap.h"
#include "Letterbox.h"
#include "PresentedColour.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kTickSeconds = 1.0 / 60.0;

// Pixels the scaler writes as they are: 32 bits, 0x??RRGGBB.
bool takesScaledPixels(const SDL_PixelFormat* f)
{
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000 && f->Gmask == 0x0000FF00 && f->Bmask == 0x000000FF;
}

} // namespace

GLView::~GLView()
{
    if (HostSurface::current() == this)
        HostSurface::setCurrent(nullptr);
    SDL_FreeSurface(converted);
    if (context)
        SDL_GL_DeleteContext(context);
    if (window)
        SDL_DestroyWindow(window);
    SDL_Quit();
}

bool GLView::fail(const std::string& what)
{
    error = what + ": " + SDL_GetError();
    return false;
}

bool GLView::open(int scale)
{
    setenv("MESA_GLES_VERSION_OVERRIDE", "2.0", 0);
    SDL_SetHint(SDL_HINT_OPENGL_ES_DRIVER, "1");
    // The window's pixels go to the display as they are (on X11 through shared
    // memory), not through a renderer of SDL's own.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    DriverHeap::keepFreedBlocks();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        return fail("cannot start the video system");

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);

    int size = std::max(2, scale); // window pixels a point
    SDL_Rect screen{};
    if (SDL_GetDisplayUsableBounds(0, &screen) == 0)
        while (size > 2 && (kWidth * size > screen.w || kHeight * size > screen.h))
            --size;
    window = SDL_CreateWindow("Quenfold", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth * size,
                              kHeight * size, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window)
        return fail("cannot open the window");
    context = SDL_GL_CreateContext(window);
    if (!context)
        return fail("cannot create an OpenGL ES 2.0 context");
    if (SDL_GL_MakeCurrent(window, context) != 0)
        return fail("cannot make the context current");
    if (!SDL_GetWindowSurface(window))
        return fail("cannot reach the window's pixels");
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
        frameWidth = pixelWidth();
        frameHeight = pixelHeight();
        frame.resize(static_cast<size_t>(frameWidth) * frameHeight * 4);
        glReadPixels(0, 0, frameWidth, frameHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    }
    show();
    if (logged)
        frameLog->record(vell::Timer::getInstance()->getTime(), FrameLog::processCpuSeconds() - cpuBefore);
}

void GLView::show()
{
    SDL_Surface* surface = SDL_GetWindowSurface(window); // made again after the window's size changed
    if (!surface)
        return missed("cannot reach the window's pixels");
    const Letterbox::Rect r = Letterbox::fit(surface->w, surface->h);
    if (r.width <= 0 || r.height <= 0)
        return;
    // The bars around the picture, black.
    const SDL_Rect bars[] = {{0, 0, surface->w, r.y},
                             {0, r.y + r.height, surface->w, surface->h - r.y - r.height},
                             {0, r.y, r.x, r.height},
                             {r.x + r.width, r.y, surface->w - r.x - r.width, r.height}};
    for (const SDL_Rect& bar : bars)
        if (bar.w > 0 && bar.h > 0)
            SDL_FillRect(surface, &bar, SDL_MapRGB(surface->format, 0, 0, 0));

    if (takesScaledPixels(surface->format) && SDL_LockSurface(surface) == 0) {
        auto* pixels = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(r.y) * surface->pitch + r.x * 4;
        scaler.scale(frame.data(), frameWidth, frameHeight, r.width, r.height, pixels, surface->pitch);
        SDL_UnlockSurface(surface);
    } else {
        // Another pixel format: scaled into a surface of the scaler's, then converted.
        if (!converted || converted->w != r.width || converted->h != r.height) {
            SDL_FreeSurface(converted);
            converted = SDL_CreateRGBSurfaceWithFormat(0, r.width, r.height, 32, SDL_PIXELFORMAT_RGB888);
            if (!converted)
                return missed("cannot make room for the scaled frame");
        }
        scaler.scale(frame.data(), frameWidth, frameHeight, r.width, r.height, static_cast<uint8_t*>(converted->pixels),
                     converted->pitch);
        SDL_Rect at{r.x, r.y, r.width, r.height};
        SDL_BlitSurface(converted, nullptr, surface, &at);
    }
    // Shown on the tick, however long the frame took to draw: even intervals.
    waitForTick();
    waited = true;
    if (SDL_UpdateWindowSurface(window) != 0)
        return missed("cannot show the window's pixels");
    showing = true;
}

void GLView::missed(const char* what)
{
    if (showing) // said once until frames show again
        fprintf(stderr, "quenfold: %s: %s\n", what, SDL_GetError());
    showing = false;
}

void GLView::drawableSize(int* width, int* height) const
{
    const SDL_Surface* surface = SDL_GetWindowSurface(window);
    *width = surface ? surface->w : 0;
    *height = surface ? surface->h : 0;
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
    if (!waited)
        waitForTick();
    waited = false;
}

void GLView::waitForTick()
{
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 tick = static_cast<Uint64>(kTickSeconds * frequency);
    const Uint64 now = SDL_GetPerformanceCounter();
    if (nextTick == 0 || now > nextTick + tick)
        nextTick = now; // first frame, or too far behind to catch up
    nextTick += tick;
    if (nextTick > now)
        SDL_Delay(static_cast<Uint32>((nextTick - now) * 1000 / frequency));
}
