#pragma once

#include "FrameLog.h"
#include "FrameScaler.h"
#include "HostSurface.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The desktop window: an OpenGL ES 2.0 context rendering the frame (480x320
// points, 480S x 320S pixels at content scale S), shown letterboxed in a
// resizable window, paced at 60 Hz. Each frame is read back, scaled on the CPU
// and handed to the display as the window's pixels (through shared memory
// where the display offers it).
class GLView : public HostSurface {
public:
    GLView() = default;
    ~GLView() override;
    GLView(const GLView&) = delete;
    GLView& operator=(const GLView&) = delete;

    // The window is 960x640, or 480S x 320S for a larger scale the screen has room for.
    bool open(int scale);
    const std::string& errorText() const { return error; }

    // Runs with the frame's framebuffer bound, just before each presentation.
    void setOverlay(std::function<void()> draw) { overlay = std::move(draw); }
    // Each presentation is recorded there while it is open (null: none).
    void setFrameLog(FrameLog* log) { frameLog = log; }
    void present() override;

    // The size of the window's pixels the picture is scaled into.
    void drawableSize(int* width, int* height) const;
    // Window pixels to points of the 480x320 frame, clamped to it.
    void toWindowPoints(int x, int y, int* px, int* py) const;
    void toggleFullscreen();
    // Waits for the next 1/60 s tick, unless a frame shown since the last call
    // waited for it already.
    void pace();

private:
    bool fail(const std::string& what);
    // Scales the read-back frame into the window's pixels and shows them.
    void show();
    // A frame not shown, for the reason given.
    void missed(const char* what);
    void waitForTick();

    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    std::vector<uint8_t> frame; // RGBA, bottom row first
    int frameWidth = 0, frameHeight = 0;
    FrameScaler scaler;
    SDL_Surface* converted = nullptr; // for a window whose pixels are not 32-bit XRGB
    bool showing = true;              // the last frame was shown
    std::function<void()> overlay;
    FrameLog* frameLog = nullptr;
    Uint64 nextTick = 0;
    bool waited = false; // a frame shown since pace() waited for its tick
    std::string error;
};
