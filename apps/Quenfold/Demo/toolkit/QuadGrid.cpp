#include "toolkit/QuadGrid.h"

#include "geom/Geometry.h"
#include "toolkit/GeometryBuilder.h"
#include "utils/Utils.h"

using vell::vec3;

vell::Geometry* QuadGrid::build(int columns, int rows, float cellSize, float originX)
{
    if (columns > 0 && rows > maxQuads / columns) {
        vell::Log::error("QuadGrid: %d x %d quads exceed 16-bit indices", columns, rows);
        return nullptr;
    }
    GeometryBuilder builder;
    int k = 0;
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            for (int n = 0; n < cornersPerQuad; ++n) {
                builder.add("position", vec3((i + cornerColumn[n]) * cellSize + originX, 0,
                                             -(j + cornerRow[n]) * cellSize));
                builder.add("normal", vec3());
            }
            builder.addQuad(k);
            k += cornersPerQuad;
        }
    }
    return builder.build(vell::Geometry::TRIANGLES);
}

void QuadGrid::writeQuad(float* positions, float* normals, int quad, const vec3 corners[cornersPerQuad])
{
    const vec3 normal = cross(corners[1] - corners[0], corners[2] - corners[0]);
    float* p = positions + quad * cornersPerQuad * 3;
    float* nrm = normals + quad * cornersPerQuad * 3;
    for (int n = 0; n < cornersPerQuad; ++n) {
        for (int c = 0; c < 3; ++c) {
            p[n * 3 + c] = corners[n][c];
            nrm[n * 3 + c] = normal[c];
        }
    }
}
