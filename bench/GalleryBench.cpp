// Frames per second of the gallery's rains, landscapes, logos and cube-map room,
// headless on the software renderer: one frame is the clock tick, the clear,
// the effect's draw and glFinish.
#include "HeadlessContext.h"
#include "HostClock.h"
#include "framework/Effect.h"
#include "framework/EffectFactory.h"
#include "framework/GLApp.h"
#include "utils/Timer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const char* const effects[] = {"LandRain", "TriangleRain4", "TriangleRain3", "TriangleRain2", "TriangleRain",
                               "SorvLogo2", "SorvLogo",      "FakeGI",        "QuadLand"};

void BM_GalleryFrame(benchmark::State& state)
{
    static HeadlessContext* context = new HeadlessContext();
    const char* name = effects[state.range(0)];
    const EffectFactory::EffectInfo* info = EffectFactory::getInstance()->find(name);
    if (!context->isValid() || !info) {
        state.SkipWithError(info ? context->errorText().c_str() : name);
        return;
    }
    GLApp app;
    app.init();
    std::unique_ptr<Effect> effect(info->create());
    for (auto _ : state) {
        HostClock::advance();
        vell::Timer::getInstance()->update();
        app.draw();
        effect->draw();
        glFinish();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(name) + "; items/s = frames/s");
}
BENCHMARK(BM_GalleryFrame)->DenseRange(0, 8)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
