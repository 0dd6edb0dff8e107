#pragma once

#include "WebSurface.h"

#include <emscripten/html5.h>

#include <memory>

class GLViewController;

// The application in a page: one GL screen at a time on the canvas, drawn on
// the browser's animation frames. The page around the canvas lists the
// effects and asks for screens.
class WebAppDelegate {
public:
    WebAppDelegate();
    ~WebAppDelegate();
    WebAppDelegate(const WebAppDelegate&) = delete;
    WebAppDelegate& operator=(const WebAppDelegate&) = delete;

    // Creates the GL context on the canvas and starts the frame loop.
    bool start(const char* canvas);
    // Runs effect number index alone, or the demo when index is negative,
    // from the next frame on, at the content scale that fits the canvas
    // then. False when there is no such effect.
    bool open(int index);
    // A press (phase 0), drag (1) or release (2) at a point of the 480x320
    // frame, made age seconds ago; true when a press is the second of a
    // double tap.
    bool touch(int phase, int x, int y, double age);

    // The music waits for data: the demo's clock holds until it plays again.
    void musicWaiting();

private:
    static EM_BOOL frame(double, void* self);
    void drawFrame();

    WebSurface surface;
    std::unique_ptr<GLViewController> screen;
    std::unique_ptr<GLViewController> pending; // shown from the next frame
    int errorsReported = 0;
};
