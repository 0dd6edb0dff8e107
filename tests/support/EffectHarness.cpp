#include "support/EffectHarness.h"

#include "HeadlessContext.h"
#include "HostClock.h"
#include "framework/EffectApp.h"
#include "utils/Timer.h"

EffectHarness::EffectHarness(Effect* effect) : app(std::make_unique<EffectApp>(effect))
{
    // Every harness starts a fresh run, as a new process would.
    HostClock::set(0);
    vell::Timer::getInstance()->reset();
    app->init();
}

EffectHarness::~EffectHarness() = default;

void EffectHarness::runFrames(int count)
{
    for (int i = 0; i < count; ++i) {
        HostClock::advance();
        app->update();
    }
}

void EffectHarness::runUntil(float time)
{
    while (vell::Timer::getInstance()->getTime() < time)
        runFrames(1);
}

std::vector<uint8_t> EffectHarness::frame() const
{
    return HeadlessContext::readFrame();
}
