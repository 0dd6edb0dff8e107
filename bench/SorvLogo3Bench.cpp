// Frames per second of the logo effect in each stage, headless on the software
// renderer: one frame is the clear, the effect's draw and glFinish.
#include "HeadlessContext.h"
#include "demo/SorvLogo3.h"
#include "framework/GLApp.h"
#include "utils/Timer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Shot {
    int stage;
    float time;
    vell::vec3 position, target, up;
};

// The timeline's camera at one moment of each stage.
const Shot shots[] = {
    {0, 161.6f, {0, 0, 15}, {0, 0, 0}, {0, 1, 0}},
    {1, 171.1f, {4, 0, -9}, {-5, 0, 0}, {0, 1, 0}},
    {2, 179.0f, {-7.3228f, 0, 11}, {-4.7368f, 0, 0}, {1, 0, 0}},
};

void BM_SorvLogo3Frame(benchmark::State& state)
{
    static HeadlessContext* context = new HeadlessContext();
    if (!context->isValid()) {
        state.SkipWithError(context->errorText().c_str());
        return;
    }
    GLApp app;
    app.init();
    auto logo = std::make_unique<SorvLogo3>();
    const Shot& shot = shots[state.range(0)];
    logo->stage = shot.stage;
    logo->introPan = 0.5f;
    logo->cameraPosition = shot.position;
    logo->cameraTarget = shot.target;
    logo->cameraUp = shot.up;
    logo->musicCreditAlpha = 0.5f;
    vell::Timer::getInstance()->setTimeShift(shot.time);
    for (auto _ : state) {
        app.draw();
        logo->draw();
        glFinish();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("stage " + std::to_string(shot.stage) + "; items/s = frames/s");
}
BENCHMARK(BM_SorvLogo3Frame)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
