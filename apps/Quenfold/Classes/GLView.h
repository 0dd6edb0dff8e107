#pragma once

#include "HostSurface.h"
#include "Letterbox.h"

#include <SDL.h>

#include <string>

class GLApp;

// The desktop window: an OpenGL ES 2.0 context rendering the 480x320 frame,
// shown letterboxed in a resizable window; runs the 60 Hz frame loop.
class GLView : public HostSurface {
public:
    GLView() = default;
    ~GLView() override;
    GLView(const GLView&) = delete;
    GLView& operator=(const GLView&) = delete;

    bool open();
    const std::string& errorText() const { return error; }

    // Calls app.update() every 1/60 s and routes input until the window closes.
    void run(GLApp& app);

    void present() override;

private:
    bool fail(const std::string& what);
    bool handleEvents(GLApp& app); // false when the user quits
    void toWindowPoints(int x, int y, int* px, int* py) const;
    void pace();

    SDL_Window* window = nullptr;
    SDL_GLContext appContext = nullptr;     // the application renders here
    SDL_GLContext presentContext = nullptr; // shares textures, draws the letterbox
    Letterbox letterbox;
    bool vsync = false;
    bool mouseDown = false;
    Uint64 nextTick = 0;
    std::string error;
};
