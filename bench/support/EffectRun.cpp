#include "EffectRun.h"

#include "HostClock.h"
#include "framework/Effect.h"
#include "framework/GLApp.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

#include <chrono>

namespace EffectRun {

std::unique_ptr<Effect> start(GLApp& app, const EffectFactory::EffectInfo& info, double* buildSeconds)
{
    HostClock::set(0);
    vell::Timer::getInstance()->reset();
    app.init();
    const auto t0 = std::chrono::steady_clock::now();
    std::unique_ptr<Effect> effect(info.create());
    glFinish();
    if (buildSeconds)
        *buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    effect->enabled = true;
    return effect;
}

void frame(GLApp& app, Effect& effect)
{
    HostClock::advance();
    vell::Timer::getInstance()->update();
    app.draw();
    effect.draw();
    glFinish();
}

} // namespace EffectRun
