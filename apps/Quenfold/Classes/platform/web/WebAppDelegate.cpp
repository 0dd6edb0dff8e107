#include "WebAppDelegate.h"

#include "GLViewController.h"
#include "HostClock.h"
#include "MusicClock.h"
#include "MusicPlayer.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

namespace {

constexpr int kMaxErrorReports = 8;

} // namespace

WebAppDelegate::WebAppDelegate() = default;

WebAppDelegate::~WebAppDelegate() = default;

bool WebAppDelegate::start(const char* canvas)
{
    if (!surface.open(canvas))
        return false;
    emscripten_request_animation_frame_loop(&WebAppDelegate::frame, this);
    return true;
}

bool WebAppDelegate::open(int index)
{
    const EffectFactory::EffectInfo* effect = nullptr;
    if (index >= 0) {
        effect = EffectFactory::getInstance()->getEffectInfo(index);
        if (!effect)
            return false;
    }
    pending = std::make_unique<GLViewController>(effect);
    return true;
}

bool WebAppDelegate::touch(int phase, int x, int y, double age)
{
    if (!screen)
        return false;
    switch (phase) {
    case 0: // timed when made, not when a busy page got to it
        return screen->touchesBegan(x, y, 1, static_cast<float>(HostClock::unpaused() - age));
    case 1:
        screen->touchesMoved(x, y, 1);
        break;
    default:
        screen->touchesEnded(x, y, 1);
        break;
    }
    return false;
}

void WebAppDelegate::musicWaiting()
{
    if (screen && !pending && !screen->effectName())
        HostClock::pause();
}

EM_BOOL WebAppDelegate::frame(double, void* self)
{
    static_cast<WebAppDelegate*>(self)->drawFrame();
    return EM_TRUE; // every animation frame
}

void WebAppDelegate::drawFrame()
{
    if (pending) {
        screen.reset(); // the old screen's GL objects go first
        surface.fitScale(); // the canvas may have been resized since
        screen = std::move(pending);
        screen->loadView();
        if (screen->effectName()) { // an effect alone has no music to wait for
            EM_ASM({ if (Module.music) Module.music.pause(); });
            HostClock::resume();
        }
    }
    if (!screen)
        return;
    if (!screen->effectName())
        MusicClock::follow(MusicPlayer::position());
    screen->drawView();
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        if (errorsReported++ < kMaxErrorReports)
            fprintf(stderr, "GL error 0x%04X after a frame\n", static_cast<unsigned>(error));
    }
}
