#pragma once

#include "math/Vec.h"

namespace vell {
class Geometry;
}

// A field of separate quads on the ground plane, for landscapes whose quads
// move on their own. Quad q = column * rows + row owns vertices 4q .. 4q+3;
// its corners go (0, 0), (1, 0), (1, 1), (0, 1) in (column, row) cell units,
// columns along +x and rows along -z.
class QuadGrid {
public:
    static constexpr int cornersPerQuad = 4;
    // Cell-unit offsets of corner n along the columns and along the rows.
    static constexpr float cornerColumn[cornersPerQuad] = {0, 1, 1, 0};
    static constexpr float cornerRow[cornersPerQuad] = {0, 0, 1, 1};
    // 16-bit indices reach 65536 vertices.
    static constexpr int maxQuads = 65536 / cornersPerQuad;

    // columns x rows quads of cellSize starting at x = originX, z = 0: "position"
    // and zero "normal" streams, two triangles and four outline edges per quad.
    // Null (with an error) when the quads would not fit 16-bit indices.
    static vell::Geometry* build(int columns, int rows, float cellSize, float originX);

    // Writes the four corners of a quad into a vec3 position stream and their
    // face normal, cross(c1 - c0, c2 - c0) left unnormalised, into a vec3 normal stream.
    static void writeQuad(float* positions, float* normals, int quad, const vell::vec3 corners[cornersPerQuad]);
};
