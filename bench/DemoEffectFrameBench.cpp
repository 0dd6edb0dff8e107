#include "HeadlessContext.h"
#include "HostClock.h"
#include "demo/Piramid.h"
#include "demo/Rings.h"
#include "demo/Stars.h"
#include "demo/Tunnel.h"
#include "framework/EffectApp.h"
#include "gallery/IsoTerrain.h"
#include "utils/Timer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The tunnel as the demo draws it: behind the pyramid's stencil window.
class PyramidWindow : public Effect {
public:
    void draw() override
    {
        piramid.draw();
        tunnel.draw();
    }
    Piramid piramid;
    Tunnel tunnel;
};

HeadlessContext& context()
{
    static HeadlessContext* c = new HeadlessContext();
    c->makeCurrent();
    return *c;
}

// Frames per second of one effect from the given demo time on, on the fixed-step clock.
template <typename E>
void runFrames(benchmark::State& state, float startTime, void (*prepare)(E&))
{
    if (!context().isValid()) {
        state.SkipWithError("no headless GL context");
        return;
    }
    HostClock::set(0);
    vell::Timer::getInstance()->reset();
    auto* effect = new E();
    prepare(*effect);
    EffectApp app(effect);
    app.init();
    vell::Timer::getInstance()->setTimeShift(startTime);
    for (auto _ : state) {
        HostClock::advance();
        app.update();
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_IsoTerrain(benchmark::State& state)
{
    runFrames<IsoTerrain>(state, 0, [](IsoTerrain& e) {
        e.stage = -1;
        e.draw(); // builds the blocks outside the timing
    });
}
BENCHMARK(BM_IsoTerrain)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TunnelInPyramid(benchmark::State& state)
{
    runFrames<PyramidWindow>(state, 78.5f, [](PyramidWindow& e) {
        e.piramid.pyramidZ = -10;
        e.piramid.cameraHeight = 6;
        e.tunnel.progress = 0.05f;
    });
}
BENCHMARK(BM_TunnelInPyramid)->Unit(benchmark::kMillisecond)->UseRealTime();

// From 81 s on the pyramid is gone and the tunnel fills the screen.
void BM_Tunnel(benchmark::State& state)
{
    runFrames<Tunnel>(state, 90, [](Tunnel& e) { e.progress = 0.4f; });
}
BENCHMARK(BM_Tunnel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Stars(benchmark::State& state)
{
    runFrames<Stars>(state, 110, [](Stars& e) { e.alpha = 1; });
}
BENCHMARK(BM_Stars)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rings(benchmark::State& state)
{
    runFrames<Rings>(state, 150, [](Rings& e) { e.blurStrength = 2; });
}
BENCHMARK(BM_Rings)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
