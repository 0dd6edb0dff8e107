#include "geom/Cube.h"
#include "geom/Sphere.h"
#include "geom/Torus.h"
#include "toolkit/GeometryBuilder.h"

#include <benchmark/benchmark.h>

namespace {

// Construction allocates the streams and generates every vertex and index.
void BM_Sphere(benchmark::State& state)
{
    const auto segments = static_cast<unsigned int>(state.range(0));
    for (auto _ : state) {
        vell::Sphere sphere(1.0f, segments, segments / 2);
        benchmark::DoNotOptimize(sphere.getIndices());
    }
    state.SetItemsProcessed(state.iterations() * (segments + 1) * (segments / 2 + 1));
}
BENCHMARK(BM_Sphere)->Arg(16)->Arg(32)->Arg(64)->Arg(128);

void BM_Torus(benchmark::State& state)
{
    const auto segments = static_cast<unsigned int>(state.range(0));
    for (auto _ : state) {
        vell::Torus torus(1.0f, 0.3f, segments / 2, segments);
        benchmark::DoNotOptimize(torus.getIndices());
    }
    state.SetItemsProcessed(state.iterations() * (segments + 1) * (segments / 2 + 1));
}
BENCHMARK(BM_Torus)->Arg(16)->Arg(32)->Arg(64)->Arg(128);

// Regenerating in place reuses the stream allocations.
void BM_SphereRegenerate(benchmark::State& state)
{
    vell::Sphere sphere(1.0f, 64, 32);
    for (auto _ : state) {
        sphere.genSphere(1.0f, 64, 32);
        benchmark::DoNotOptimize(sphere.getIndices());
    }
    state.SetItemsProcessed(state.iterations() * 65 * 33);
}
BENCHMARK(BM_SphereRegenerate);

void BM_Cube(benchmark::State& state)
{
    const int segments = static_cast<int>(state.range(0));
    for (auto _ : state) {
        vell::Cube cube(1, 1, 1, segments, segments, segments, false);
        benchmark::DoNotOptimize(cube.getIndices());
    }
}
BENCHMARK(BM_Cube)->Arg(1)->Arg(16);

// A 64 x 64 quad grid assembled through the builder.
void BM_BuilderGrid(benchmark::State& state)
{
    const int n = 64;
    for (auto _ : state) {
        GeometryBuilder builder;
        for (int j = 0; j <= n; ++j) {
            for (int i = 0; i <= n; ++i) {
                builder.add("position", vell::vec3(static_cast<float>(i), static_cast<float>(j), 0));
                builder.add("texCoord0", vell::vec2(static_cast<float>(i) / n, static_cast<float>(j) / n));
            }
        }
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                const int k = j * (n + 1) + i;
                builder.addTriangle(k, k + n + 2, k + 1);
                builder.addTriangle(k, k + n + 1, k + n + 2);
            }
        }
        vell::Geometry* geometry = builder.build(vell::Geometry::TRIANGLES);
        benchmark::DoNotOptimize(geometry->getIndices());
        delete geometry;
    }
}
BENCHMARK(BM_BuilderGrid);

} // namespace
