#include "toolkit/FrustumRuns.h"

#include "geom/Frustum.h"
#include "geom/Geometry.h"
#include "graphics/VertexAttrib.h"

#include <algorithm>
#include <cmath>

using vell::vec3;

namespace {

unsigned int indicesPerPrimitive(vell::Geometry::PrimitiveType type)
{
    switch (type) {
    case vell::Geometry::POINTS:
        return 1;
    case vell::Geometry::LINES:
        return 2;
    default:
        return 3;
    }
}

} // namespace

FrustumRuns::FrustumRuns(vell::Geometry& mesh, unsigned int primitivesPerRun, float reach) : geometry(mesh)
{
    const vell::VertexAttrib* positions = geometry.getAttrib("position", vell::VEC3);
    if (!positions)
        return;
    const float* p = positions->getBuffer();
    const uint16_t* indices = geometry.getIndices();
    const unsigned int count = geometry.getNumIndices();
    const unsigned int step = std::max(primitivesPerRun, 1u) * indicesPerPrimitive(geometry.getPrimitiveType());
    const vec3 grow(reach, reach, reach);
    for (unsigned int first = 0; first < count; first += step) {
        Run run{vec3(1e30f, 1e30f, 1e30f), vec3(-1e30f, -1e30f, -1e30f), {first, std::min(step, count - first)}};
        for (unsigned int i = first; i < first + run.indices.count; ++i) {
            if (indices[i] >= geometry.getNumVertices())
                continue; // the renderer refuses such a draw; nothing to bound
            for (unsigned int a = 0; a < 3; ++a) {
                run.lo[a] = std::min(run.lo[a], p[3 * indices[i] + a]);
                run.hi[a] = std::max(run.hi[a], p[3 * indices[i] + a]);
            }
        }
        run.lo = run.lo - grow;
        run.hi = run.hi + grow;
        runs.push_back(run);
    }
}

void FrustumRuns::draw(vell::Shader* shader, const vell::mat4& clip, int width, int height, float pointSize)
{
    const int margin = static_cast<int>(std::ceil(pointSize)); // twice what half a point needs
    const int grown[4] = {-margin, -margin, width + 2 * margin, height + 2 * margin};
    const vell::Frustum seen(clip, grown, width, height);
    shown.clear();
    drawnRuns = 0;
    for (const Run& run : runs) {
        if (seen.excludes(run.lo, run.hi))
            continue;
        ++drawnRuns;
        vell::appendRun(shown, run.indices);
    }
    if (!shown.empty())
        geometry.renderRanges(shader, shown.data(), shown.size());
}
