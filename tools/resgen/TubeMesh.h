#pragma once

#include <array>
#include <string>
#include <vector>

namespace resgen {

using Vec3 = std::array<float, 3>;

// Triangle mesh with one normal per position, built from tubes swept along planar paths.
class TubeMesh {
public:
    // Sweeps a cross-section of `sides` corners (radius across, radius * depth along the plane normal)
    // along `path`, which lies in the plane with normal `planeNormal`. Open paths get flat caps.
    void sweep(const std::vector<Vec3>& path, bool closed, float radius, float depth, int sides, const Vec3& planeNormal);

    size_t vertexCount() const { return positions.size(); }
    size_t triangleCount() const { return triangles.size(); }
    // Appends "o name", v, vn and f lines; `firstIndex` is the 1-based index of this mesh's first vertex.
    void appendObj(std::string& out, const std::string& name, size_t firstIndex) const;

private:
    size_t addVertex(const Vec3& p, const Vec3& n);
    void addCap(const std::vector<size_t>& ring, const Vec3& centre, const Vec3& normal, bool flip);

    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<std::array<size_t, 3>> triangles;
};

} // namespace resgen
