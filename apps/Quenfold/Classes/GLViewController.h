#pragma once

#include "Playback.h"
#include "framework/EffectFactory.h"

#include <chrono>
#include <memory>

class GLApp;
class Mirande;

// One GL screen: runs the demo, or one registered effect alone, from a fresh
// frame clock, and routes touches to it. A double tap toggles the
// navigation bar.
class GLViewController {
public:
    static constexpr double kDoubleTapSeconds = 0.3;

    // effect null: the demo.
    explicit GLViewController(const EffectFactory::EffectInfo* effect = nullptr);
    // Logs "GLView dealloc" if its view was loaded, then destroys the application.
    ~GLViewController();
    GLViewController(const GLViewController&) = delete;
    GLViewController& operator=(const GLViewController&) = delete;

    // Creates and initialises the application (a GL context must be current).
    void loadView();
    // One frame, while an application exists.
    void drawView();
    // Destroys the application (the screen was left).
    void freeGLApp();
    // Makes the application anew (at the content scale now set) and takes it
    // to the time the old one showed, paused if it was.
    void reloadView();

    // Touch-down at platform time now; true when it toggles the navigation bar.
    bool touchesBegan(int x, int y, int touchCount, float now);
    void touchesMoved(int x, int y, int touchCount);
    void touchesEnded(int x, int y, int touchCount);

    GLApp* application() const { return app.get(); }
    // The running demo, or null for an effect alone.
    const Mirande* demo() const;
    Mirande* demo() { return const_cast<Mirande*>(static_cast<const GLViewController*>(this)->demo()); }
    // The effect run alone, or null for the demo.
    const char* effectName() const { return effect ? effect->name : nullptr; }
    Playback& playback() { return controls; }

private:
    const EffectFactory::EffectInfo* effect;
    std::unique_ptr<GLApp> app;
    float prevTouchTime = 0; // platform time of the previous touch-down
    std::chrono::steady_clock::time_point loadStart;
    std::chrono::steady_clock::time_point openedAt; // the first frame is counted from here
    const char* openedBy = "launch";                // what happened then, for the log
    std::chrono::steady_clock::time_point loaded; // the demo's music started here
    bool firstFrame = false;
    bool viewLoaded = false; // its going away is logged
    Playback controls;
};
