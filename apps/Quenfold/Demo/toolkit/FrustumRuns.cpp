#include "toolkit/FrustumRuns.h"

#include "geom/Frustum.h"
#include "geom/Geometry.h"

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
    const unsigned int count = geometry.getNumIndices();
    const unsigned int step = std::max(primitivesPerRun, 1u) * indicesPerPrimitive(geometry.getPrimitiveType());
    const vec3 grow(reach, reach, reach);
    for (unsigned int first = 0; first < count; first += step) {
        Run run{vec3(), vec3(), {first, std::min(step, count - first)}};
        geometry.bound(run.indices, &run.lo, &run.hi);
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
