#include "math/Noise.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Noise2(benchmark::State& state)
{
    float x = -37.25f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise(x, x * 0.61f + 3.0f));
        x += 0.013f;
    }
}
BENCHMARK(BM_Noise2);

void BM_Noise3(benchmark::State& state)
{
    float x = -37.25f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise(x, x * 0.61f + 3.0f, 5.0f - x * 0.37f));
        x += 0.013f;
    }
}
BENCHMARK(BM_Noise3);

} // namespace
