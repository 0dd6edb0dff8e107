#pragma once

#include <SDL.h>

#include <functional>
#include <string>

// How finished frames reach the desktop window: owns the window and the GL
// context the frames are drawn with, and puts each frame on screen,
// letterboxed. The window opens hidden; show() shows it once one is chosen.
class Presenter {
public:
    enum class Kind { Gl, Cpu };

    virtual ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    virtual Kind kind() const = 0;
    // For the start-up line, e.g. "presenting by GL swap with vsync".
    virtual std::string way() const = 0;
    // For the help line, e.g. "GL swap".
    virtual const char* shortName() const = 0;
    // Window pixels the picture is scaled into.
    virtual void drawableSize(int* width, int* height) const = 0;
    // Shows the frame of the bound framebuffer, width x height pixels.
    // tick() runs just before the picture goes on screen unless the display
    // paces the frames itself. False with the reason in *error.
    virtual bool present(int width, int height, const std::function<void()>& tick, std::string* error) = 0;

    SDL_Window* window() const { return sdlWindow; }
    // GL_RENDERER of the context the frames are drawn with.
    const std::string& renderer() const { return rendererName; }
    void show();

protected:
    Presenter() = default;
    // A hidden, resizable window of 960x640, or 480S x 320S for a larger
    // scale S the screen has room for. False with the reason in *error.
    bool openWindow(int scale, Uint32 flags, std::string* error);
    // Notes the current context's renderer.
    void readRenderer();

    SDL_Window* sdlWindow = nullptr;
    std::string rendererName;
};
