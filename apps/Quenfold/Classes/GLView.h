#pragma once

#include "FrameLog.h"
#include "FramePacer.h"
#include "HostSurface.h"
#include "PresentedColour.h"
#include "Presenter.h"
#include "PresenterChoice.h"

#include <SDL.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The desktop window: an OpenGL ES 2.0 context rendering the frame (480x320
// points, 480S x 320S pixels at content scale S), shown letterboxed in a
// resizable window, paced at 60 Hz, by one of two presenters chosen at start
// (PresenterChoice).
class GLView : public HostSurface {
public:
    GLView() = default;
    ~GLView() override;
    GLView(const GLView&) = delete;
    GLView& operator=(const GLView&) = delete;

    // The window is 960x640, or 480S x 320S for a larger scale the screen
    // has room for. False with errorText() where no display or neither
    // presenter can be had.
    bool open(int scale, PresenterChoice::Request request);
    const std::string& errorText() const { return error; }
    // The start-up line's words: how frames are presented, and why.
    const std::string& presenting() const { return presentingLine; }
    const char* presenterName() const { return presenter->shortName(); }

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
    // A frame not shown, for the reason given.
    void missed(const std::string& what);
    void waitForTick();

    bool videoStarted = false;
    std::unique_ptr<Presenter> presenter;
    std::optional<PresentedColour> source; // with the presenter's context
    std::string presentingLine;
    bool showing = true; // the last frame was shown
    std::function<void()> overlay;
    FrameLog* frameLog = nullptr;
    FramePacer pacer{1.0 / 60}; // frames on 1/60 s ticks
    bool waited = false; // a frame shown since pace() waited for its tick
    std::string error;
};
