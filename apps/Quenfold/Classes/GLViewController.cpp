#include "GLViewController.h"

#include "MusicPlayer.h"

#include "demo/Mirande.h"
#include "framework/EffectApp.h"
#include "framework/GLApp.h"
#include "graphics/GLDefaults.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;

const Clock::time_point launched = Clock::now(); // static initialisation: the process start
bool firstScreen = true; // the screen opened at launch counts its first frame from there

double secondsBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

} // namespace

GLViewController::GLViewController(const EffectFactory::EffectInfo* effectInfo)
    : effect(effectInfo), openedAt(Clock::now()), controls(effectInfo == nullptr)
{
}

GLViewController::~GLViewController()
{
    if (viewLoaded)
        vell::Log::msg("GLView dealloc");
    freeGLApp();
}

void GLViewController::loadView()
{
    loadStart = Clock::now();
    if (firstScreen) // else made on the click that chose it
        openedAt = launched;
    openedBy = firstScreen ? "launch" : "the click";
    firstScreen = false;
    viewLoaded = true;
    vell::Timer::getInstance()->reset(); // a new screen starts at time 0, with its music
    vell::GLDefaults::restore();         // and with a new context's GL state, whatever the last one left
    app.reset(effect ? static_cast<GLApp*>(new EffectApp(effect->create())) : new Mirande());
    app->init();
    loaded = Clock::now();
    firstFrame = true;
}

void GLViewController::drawView()
{
    if (!app)
        return;
    if (firstFrame) {
        // Demo time 0 is taken by this frame; the demo's music started as init ended.
        const Clock::time_point now = Clock::now();
        if (effect)
            vell::Log::msg("%s: loaded in %.2f s, first frame %.2f s after %s", effect->name,
                           secondsBetween(loadStart, loaded), secondsBetween(openedAt, now), openedBy);
        else
            vell::Log::msg("Mirande: loaded in %.2f s, first frame %.2f s after %s and %.1f ms after the "
                           "music started (music position %.1f ms)",
                           secondsBetween(loadStart, loaded), secondsBetween(openedAt, now), openedBy,
                           secondsBetween(loaded, now) * 1000.0, std::max(0.0, MusicPlayer::position()) * 1000.0);
        firstFrame = false;
    }
    app->update();
}

const Mirande* GLViewController::demo() const
{
    return effect ? nullptr : static_cast<const Mirande*>(app.get());
}

void GLViewController::freeGLApp()
{
    app.reset();
}

void GLViewController::reloadView()
{
    if (!app)
        return;
    const float time = vell::Timer::getInstance()->getTime();
    const bool paused = controls.isPaused();
    if (paused) // the new application starts its music as an unpaused one does
        controls.togglePause();
    freeGLApp();
    loadView();
    openedAt = loadStart;
    openedBy = "the switch";
    controls.seekTo(time);
    if (paused)
        controls.togglePause();
}

bool GLViewController::touchesBegan(int x, int y, int touchCount, float now)
{
    const bool toggle = static_cast<double>(now - prevTouchTime) < kDoubleTapSeconds;
    if (app)
        app->onMouseDown(x, y, touchCount);
    prevTouchTime = now;
    return toggle;
}

void GLViewController::touchesMoved(int x, int y, int touchCount)
{
    if (app)
        app->onMouseMove(x, y, touchCount);
}

void GLViewController::touchesEnded(int x, int y, int touchCount)
{
    if (app)
        app->onMouseUp(x, y, touchCount);
}
