#include "CpuPresenter.h"

#include "Letterbox.h"

#include <GLES2/gl2.h>

namespace {

// Pixels the scaler writes as they are: 32 bits, 0x??RRGGBB.
bool takesScaledPixels(const SDL_PixelFormat* f)
{
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000 && f->Gmask == 0x0000FF00 && f->Bmask == 0x000000FF;
}

} // namespace

std::unique_ptr<CpuPresenter> CpuPresenter::open(int scale, std::string* error)
{
    std::unique_ptr<CpuPresenter> presenter(new CpuPresenter);
    if (!presenter->start(scale, error))
        return nullptr;
    return presenter;
}

bool CpuPresenter::start(int scale, std::string* error)
{
    if (!egl.isValid()) {
        *error = "no off-screen OpenGL ES 2.0 context: " + egl.errorText();
        return false;
    }
    if (!openWindow(scale, 0, error))
        return false;
    if (!SDL_GetWindowSurface(sdlWindow)) {
        *error = std::string("the window has no surface: ") + SDL_GetError();
        return false;
    }
    readRenderer();
    return true;
}

void CpuPresenter::drawableSize(int* width, int* height) const
{
    const SDL_Surface* surface = SDL_GetWindowSurface(sdlWindow);
    *width = surface ? surface->w : 0;
    *height = surface ? surface->h : 0;
}

bool CpuPresenter::present(int width, int height, const std::function<void()>& tick, std::string* error)
{
    readBack(width, height);
    if (!scale(error))
        return false;
    tick(); // shown on the tick, however long the frame took to draw: even intervals
    return show(error);
}

void CpuPresenter::readBack(int width, int height)
{
    frameWidth = width;
    frameHeight = height;
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    if (frame.size() != bytes)
        frame = std::vector<uint8_t>(bytes); // a smaller frame gives back what a larger one held
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
}

bool CpuPresenter::scale(std::string* error)
{
    SDL_Surface* surface = SDL_GetWindowSurface(sdlWindow); // made again after the window's size changed
    if (!surface) {
        *error = std::string("cannot reach the window's pixels: ") + SDL_GetError();
        return false;
    }
    const Letterbox::Rect r = Letterbox::fit(surface->w, surface->h);
    if (r.width <= 0 || r.height <= 0)
        return true;
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
        return true;
    }
    // Another pixel format: scaled into a surface of the scaler's, then converted.
    if (!converted || converted->w != r.width || converted->h != r.height) {
        converted.reset(SDL_CreateRGBSurfaceWithFormat(0, r.width, r.height, 32, SDL_PIXELFORMAT_RGB888));
        if (!converted) {
            *error = std::string("cannot make room for the scaled frame: ") + SDL_GetError();
            return false;
        }
    }
    scaler.scale(frame.data(), frameWidth, frameHeight, r.width, r.height, static_cast<uint8_t*>(converted->pixels),
                 converted->pitch);
    SDL_Rect at{r.x, r.y, r.width, r.height};
    SDL_BlitSurface(converted.get(), nullptr, surface, &at);
    return true;
}

bool CpuPresenter::show(std::string* error)
{
    if (SDL_UpdateWindowSurface(sdlWindow) == 0)
        return true;
    *error = std::string("cannot show the window's pixels: ") + SDL_GetError();
    return false;
}
