// Quenfold in a web page: the page calls these once the user has clicked.
#include "HostClock.h"
#include "ResourceFiles.h"
#include "WebAppDelegate.h"
#include "framework/EffectFactory.h"
#include "utils/Timer.h"

#include <emscripten.h>

#include <cstdio>

namespace {

WebAppDelegate& delegate()
{
    static WebAppDelegate app;
    return app;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int quenfold_effect_count()
{
    return EffectFactory::getInstance()->getNumEffects();
}

EMSCRIPTEN_KEEPALIVE const char* quenfold_effect_name(int index)
{
    return EffectFactory::getInstance()->getEffectName(index);
}

// index < 0: the demo.
EMSCRIPTEN_KEEPALIVE int quenfold_open(int index)
{
    return delegate().open(index) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int quenfold_touch(int phase, int x, int y, double age)
{
    return delegate().touch(phase, x, y, age) ? 1 : 0;
}

// The music sounds: the demo clock, held since it was asked for, goes on.
EMSCRIPTEN_KEEPALIVE void quenfold_music_playing()
{
    HostClock::resume();
}

EMSCRIPTEN_KEEPALIVE void quenfold_music_waiting()
{
    delegate().musicWaiting();
}

EMSCRIPTEN_KEEPALIVE double quenfold_time()
{
    return vell::Timer::getInstance()->getTime();
}

} // extern "C"

int main()
{
    ResourceFiles::setDirectory("/resources");
    ResourceFiles::logDirectory();
    if (!delegate().start("#canvas")) {
        fprintf(stderr, "quenfold: this browser offers no WebGL\n");
        return 1;
    }
    return 0;
}
