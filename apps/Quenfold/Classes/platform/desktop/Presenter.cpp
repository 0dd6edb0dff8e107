#include "Presenter.h"

#include "HostSurface.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <algorithm>

Presenter::~Presenter()
{
    if (sdlWindow)
        SDL_DestroyWindow(sdlWindow);
}

bool Presenter::openWindow(int scale, Uint32 flags, std::string* error)
{
    constexpr int kWidth = HostSurface::kWidth, kHeight = HostSurface::kHeight;
    int size = std::max(2, scale); // window pixels a point
    SDL_Rect screen{};
    if (SDL_GetDisplayUsableBounds(0, &screen) == 0)
        while (size > 2 && (kWidth * size > screen.w || kHeight * size > screen.h))
            --size;
    sdlWindow = SDL_CreateWindow("Quenfold", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth * size,
                                 kHeight * size,
                                 flags | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!sdlWindow)
        *error = std::string("cannot open the window: ") + SDL_GetError();
    return sdlWindow != nullptr;
}

void Presenter::readRenderer()
{
    const char* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    rendererName = vell::printableText(name ? name : "unknown");
}

void Presenter::show()
{
    SDL_ShowWindow(sdlWindow);
}
