// Frames per second of the gallery's effects, headless on the software renderer: one frame is the clock tick, the clear,
// the effect's draw and glFinish.
#include "HeadlessContext.h"
#include "HostClock.h"
#include "framework/Effect.h"
#include "framework/EffectFactory.h"
#include "framework/GLApp.h"
#include "utils/Timer.h"

#include <benchmark/benchmark.h>

#include <iterator>
#include <memory>

namespace {

const char* const effects[] = {"LandRain", "TriangleRain4", "TriangleRain3", "TriangleRain2", "TriangleRain",
                               "SorvLogo2", "SorvLogo",      "FakeGI",        "QuadLand",
                               "Crystal2", "ExampleRenderToCubeMap", "ExampleTexturing", "PointSprites",
                               "VertexBasedLighting", "SmoothFlat2", "SmoothFlat", "Clouds", "Crystal",
                               "ExampleLighting", "LutDistort"};

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
BENCHMARK(BM_GalleryFrame)->DenseRange(0, std::size(effects) - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
