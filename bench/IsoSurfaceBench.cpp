#include "gallery/IsoTerrainModule.h"
#include "geom/Geometry.h"

#include <benchmark/benchmark.h>

namespace {

// What the demo does three times at start-up: sample, march and build one block.
void BM_IsoTerrainModuleBuild(benchmark::State& state)
{
    IsoTerrainModule module;
    unsigned int vertices = 0;
    for (auto _ : state) {
        module.update(0);
        vertices = module.getGeometry()->getNumVertices();
        benchmark::DoNotOptimize(vertices);
    }
    state.counters["vertices"] = vertices;
}
BENCHMARK(BM_IsoTerrainModuleBuild)->Unit(benchmark::kMillisecond);

// A fresh block: grid set-up included.
void BM_IsoTerrainModuleCreate(benchmark::State& state)
{
    for (auto _ : state) {
        IsoTerrainModule module;
        benchmark::DoNotOptimize(module.getGeometry()->getNumVertices());
    }
}
BENCHMARK(BM_IsoTerrainModuleCreate)->Unit(benchmark::kMillisecond);

// The ball on a fine grid: marching dominated by empty cells.
void BM_IsoSurfaceBall(benchmark::State& state)
{
    IsoSurface ball(64, 64, 64, 1, 1, 1);
    for (auto _ : state) {
        ball.update(0);
        benchmark::DoNotOptimize(ball.getGeometry()->getNumVertices());
    }
}
BENCHMARK(BM_IsoSurfaceBall)->Unit(benchmark::kMillisecond);

} // namespace
