#include "geom/Geometry.h"
#include "graphics/Camera.h"
#include "math/Random.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vell;

// 1000 points, or 1000 triangles over 3000 vertices, scattered around the origin.
void fill(Geometry& g, Geometry::PrimitiveType type)
{
    const unsigned int numVertices = type == Geometry::POINTS ? 1000 : 3000;
    g.setPrimitiveType(type);
    g.setNumVertices(numVertices);
    float* p = g.addAttrib("position", VEC3)->getBuffer();
    randomSeed(12345);
    for (unsigned int i = 0; i < numVertices * 3; ++i)
        p[i] = randomFloat(-5.0f, 5.0f);
    g.setNumIndices(numVertices);
    for (unsigned int i = 0; i < numVertices; ++i)
        g.getIndices()[i] = (uint16_t)i;
}

void sortEachFrame(benchmark::State& state, Geometry::PrimitiveType type)
{
    Geometry g;
    fill(g, type);
    Camera camera;
    const mat4 model = mat4::rotationMatrix(vec3(0, 1, 0), 3.0f);
    float angle = 0.0f;
    for (auto _ : state) {
        // The camera orbits a little every frame, as in the effects.
        angle += 1.0f;
        camera.setPosition(mat4::rotationMatrix(vec3(0, 1, 0), angle) * vec3(10, 0, 0));
        camera.sortGeometryPrimitives(&g, model);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_SortPoints1000(benchmark::State& state) { sortEachFrame(state, Geometry::POINTS); }
BENCHMARK(BM_SortPoints1000);

void BM_SortTriangles1000(benchmark::State& state) { sortEachFrame(state, Geometry::TRIANGLES); }
BENCHMARK(BM_SortTriangles1000);

} // namespace
