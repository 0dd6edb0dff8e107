#include "GLPresenter.h"

#include "ContentScale.h"

#include <GLES2/gl2.h>

#include <cmath>

std::unique_ptr<GLPresenter> GLPresenter::open(int scale, std::string* error)
{
    std::unique_ptr<GLPresenter> presenter(new GLPresenter);
    if (!presenter->start(scale, error))
        return nullptr;
    return presenter;
}

GLPresenter::~GLPresenter()
{
    if (context)
        SDL_GL_DeleteContext(context);
}

bool GLPresenter::start(int scale, std::string* error)
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    if (!openWindow(scale, SDL_WINDOW_OPENGL, error))
        return false;
    context = SDL_GL_CreateContext(sdlWindow);
    if (!context || SDL_GL_MakeCurrent(sdlWindow, context) != 0) {
        *error = std::string("no OpenGL ES 2.0 context on the window: ") + SDL_GetError();
        return false;
    }
    if (!letterbox.create()) {
        *error = "cannot make the program that draws the frame into the window";
        return false;
    }
    readRenderer();
    swapInterval = SDL_GL_SetSwapInterval(-1) == 0 ? -1 : SDL_GL_SetSwapInterval(1) == 0 ? 1 : 0;
    SDL_DisplayMode mode{};
    const bool sixty = SDL_GetWindowDisplayMode(sdlWindow, &mode) == 0 && std::abs(mode.refresh_rate - 60) <= 1;
    // A renderer on the CPU draws for a display without a vertical blank of its own.
    pacedBySwap = swapInterval != 0 && sixty && !ContentScale::isSoftware(rendererName.c_str());
    return true;
}

std::string GLPresenter::way() const
{
    return swapInterval == -1  ? "presenting by GL swap with adaptive vsync"
           : swapInterval == 1 ? "presenting by GL swap with vsync"
                               : "presenting by GL swap without vsync (the driver offers none)";
}

void GLPresenter::drawableSize(int* width, int* height) const
{
    SDL_GL_GetDrawableSize(sdlWindow, width, height);
}

bool GLPresenter::present(int width, int height, const std::function<void()>& tick, std::string*)
{
    if (width != textureWidth || height != textureHeight) {
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        letterbox.sizeFrame();
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
        textureWidth = width;
        textureHeight = height;
    }
    letterbox.takeFrame();
    int w = 0, h = 0;
    drawableSize(&w, &h);
    letterbox.drawIntoDefault(w, h);
    if (!pacedBySwap)
        tick();
    SDL_GL_SwapWindow(sdlWindow);
    watchSwapRate();
    return true;
}

void GLPresenter::watchSwapRate()
{
    if (!pacedBySwap)
        return;
    const Uint64 now = SDL_GetPerformanceCounter();
    if (rateStart == 0 || now - rateStart > SDL_GetPerformanceFrequency()) {
        rateStart = now;
        swapsSinceStart = 0;
    }
    if (++swapsSinceStart > 70)
        pacedBySwap = false;
}
