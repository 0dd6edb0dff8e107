#pragma once

#include <map>
#include <utility>

namespace vell {
class Geometry;
}

// Connectivity of a triangle mesh after merging vertices that lie within 1e-5
// of each other.
struct MeshTopology {
    explicit MeshTopology(const vell::Geometry& mesh);

    // Edges not shared by exactly two triangles.
    int openEdges() const;
    // V - E + F of the merged mesh.
    int euler() const;

    int vertices = 0;
    int triangles = 0;
    std::map<std::pair<int, int>, int> edgeUses; // (low, high) merged ids
};
