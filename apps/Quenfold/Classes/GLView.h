#pragma once

#include "FrameLog.h"
#include "HostSurface.h"
#include "Letterbox.h"

#include <SDL.h>

#include <functional>
#include <string>

// The desktop window: an OpenGL ES 2.0 context rendering the 480x320 frame,
// shown letterboxed in a resizable window, paced at 60 Hz.
class GLView : public HostSurface {
public:
    GLView() = default;
    ~GLView() override;
    GLView(const GLView&) = delete;
    GLView& operator=(const GLView&) = delete;

    bool open();
    const std::string& errorText() const { return error; }

    // Runs with the frame's framebuffer bound, just before each presentation.
    void setOverlay(std::function<void()> draw) { overlay = std::move(draw); }
    // Each presentation is recorded there while it is open (null: none).
    void setFrameLog(FrameLog* log) { frameLog = log; }
    void present() override;

    // Window pixels to points of the 480x320 frame, clamped to it.
    void toWindowPoints(int x, int y, int* px, int* py) const;
    void toggleFullscreen();
    // Waits for the next 1/60 s tick unless the display paces the frames.
    void pace();

private:
    bool fail(const std::string& what);

    SDL_Window* window = nullptr;
    SDL_GLContext appContext = nullptr;     // the application renders here
    SDL_GLContext presentContext = nullptr; // shares textures, draws the letterbox
    Letterbox letterbox;
    bool vsync = false;
    std::function<void()> overlay;
    FrameLog* frameLog = nullptr;
    Uint64 nextTick = 0;
    std::string error;
};
