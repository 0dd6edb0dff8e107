#pragma once

#include "geom/GeometryRenderer.h"
#include "math/Mat.h"
#include "math/Vec.h"

#include <vector>

namespace vell {
class Geometry;
class Shader;
} // namespace vell

// A mesh whose vertices and indices stay put, cut into runs of consecutive
// primitives, each with the box of its vertices: draws only the runs a frustum
// may show, in the mesh's order, merged where they meet. A run left out lies
// wholly outside, so the picture is that of drawing the whole mesh.
class FrustumRuns {
public:
    // Runs of primitivesPerRun primitives of mesh (points, lines or
    // triangles, as its type says); boxes grown by reach on every side, for a
    // shader that moves vertices up to that far.
    FrustumRuns(vell::Geometry& mesh, unsigned int primitivesPerRun, float reach);

    // Draws with shader (bound, every uniform set) the runs that clip (projection
    // x model-view) may show on a frame of width x height pixels; a point shows
    // up to pointSize pixels across around where it lands.
    void draw(vell::Shader* shader, const vell::mat4& clip, int width, int height, float pointSize = 0);

    size_t getRuns() const { return runs.size(); }
    size_t getDrawnRuns() const { return drawnRuns; }

private:
    struct Run {
        vell::vec3 lo, hi;
        vell::IndexRange indices;
    };

    vell::Geometry& geometry;
    std::vector<Run> runs;
    std::vector<vell::IndexRange> shown; // this draw's, merged
    size_t drawnRuns = 0;
};
