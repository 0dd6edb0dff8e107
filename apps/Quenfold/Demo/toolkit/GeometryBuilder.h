#pragma once

#include "geom/Geometry.h"
#include "math/Vec.h"

#include <cstdint>
#include <string>
#include <vector>

// Assembles a mesh vertex by vertex in plain lists and turns it into a Geometry.
// Knows the streams "position", "normal", "normal2" (vec3) and "texCoord0" (vec2);
// indices are stored as their low 16 bits.
class GeometryBuilder {
public:
    // Other names are ignored.
    void add(const std::string& name, const vell::vec3& v);
    void add(const std::string& name, const vell::vec2& v);
    // One vertex of "position", "normal" and "texCoord0", without name lookups.
    void addVertex(const vell::vec3& position, const vell::vec3& normal, const vell::vec2& texCoord);
    // Room for this many vertices (position, normal, texCoord0) and indices.
    void reserve(size_t vertices, size_t indexCount);

    void addPoint(int a);
    void addLine(int a, int b);
    void addTriangle(int a, int b, int c);
    void addEdge(int a, int b);
    // The quad of vertices first .. first + 3: triangles (0, 1, 2) and (0, 2, 3)
    // and its four outline edges.
    void addQuad(int first);

    unsigned int getNumIndices() const { return static_cast<unsigned int>(indices.size()); }
    void reset();

    // Fills the given geometry (or a new one, owned by the caller) with the lists;
    // the builder keeps them. An optional list shorter than the positions leaves
    // the remaining vertices of its stream at 0.
    vell::Geometry* build(vell::Geometry::PrimitiveType type, vell::Geometry* geometry = nullptr) const;

private:
    std::vector<vell::vec3> positions;
    std::vector<vell::vec3> normals;
    std::vector<vell::vec3> normals2;
    std::vector<vell::vec2> texCoords;
    std::vector<uint16_t> indices;
    std::vector<uint16_t> edges;
};
