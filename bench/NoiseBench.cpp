#include "math/Noise.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_Noise2(benchmark::State& state)
{
    float x = -37.25f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise(x, x * 0.61f + 3.0f));
        x += 0.013f;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Noise2);

// The same points as BM_Noise2, a thousand at a time through the batch.
void BM_Noise2Batch(benchmark::State& state)
{
    std::vector<float> x(1000), y(1000), out(1000);
    float v = -37.25f;
    for (auto _ : state) {
        for (size_t k = 0; k < x.size(); ++k, v += 0.013f) {
            x[k] = v;
            y[k] = v * 0.61f + 3.0f;
        }
        noise(x.data(), y.data(), out.data(), out.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(out.size()));
}
BENCHMARK(BM_Noise2Batch);

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
