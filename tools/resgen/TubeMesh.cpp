#include "TubeMesh.h"

#include <cmath>
#include <cstdio>

namespace resgen {

namespace {

Vec3 sub(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec3 normalized(const Vec3& v)
{
    const float l = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return l > 0 ? Vec3{v[0] / l, v[1] / l, v[2] / l} : v;
}
Vec3 scaled(const Vec3& v, float k) { return {v[0] * k, v[1] * k, v[2] * k}; }
Vec3 added(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

} // namespace

size_t TubeMesh::addVertex(const Vec3& p, const Vec3& n)
{
    positions.push_back(p);
    normals.push_back(n);
    return positions.size() - 1;
}

void TubeMesh::addCap(const std::vector<size_t>& ring, const Vec3& centre, const Vec3& normal, bool flip)
{
    const size_t c = addVertex(centre, normal);
    std::vector<size_t> rim;
    for (size_t i : ring)
        rim.push_back(addVertex(positions[i], normal));
    for (size_t i = 0; i < rim.size(); ++i) {
        const size_t a = rim[i];
        const size_t b = rim[(i + 1) % rim.size()];
        triangles.push_back(flip ? std::array<size_t, 3>{c, b, a} : std::array<size_t, 3>{c, a, b});
    }
}

void TubeMesh::sweep(const std::vector<Vec3>& path, bool closed, float radius, float depth, int sides,
                     const Vec3& planeNormal)
{
    const size_t n = path.size();
    const Vec3 up = normalized(planeNormal);
    std::vector<std::vector<size_t>> rings;
    for (size_t i = 0; i < n; ++i) {
        const Vec3& prev = (i > 0) ? path[i - 1] : (closed ? path[n - 1] : path[i]);
        const Vec3& next = (i + 1 < n) ? path[i + 1] : (closed ? path[0] : path[i]);
        const Vec3 tangent = normalized(sub(next, prev));
        const Vec3 side = normalized(cross(tangent, up));
        std::vector<size_t> ring;
        for (int k = 0; k < sides; ++k) {
            // Offset the corners by half a step so flat faces point along the plane and its normal.
            const float a = (k + 0.5f) * 6.2831853f / sides;
            const float cs = std::cos(a);
            const float sn = std::sin(a);
            const Vec3 offset = added(scaled(side, cs * radius), scaled(up, sn * radius * depth));
            const Vec3 normal = normalized(added(scaled(side, cs * depth), scaled(up, sn)));
            ring.push_back(addVertex(added(path[i], offset), normal));
        }
        rings.push_back(std::move(ring));
    }
    const size_t segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        const std::vector<size_t>& r0 = rings[i];
        const std::vector<size_t>& r1 = rings[(i + 1) % n];
        for (int k = 0; k < sides; ++k) {
            const size_t k1 = static_cast<size_t>((k + 1) % sides);
            const size_t kk = static_cast<size_t>(k);
            triangles.push_back({r0[kk], r1[kk], r1[k1]});
            triangles.push_back({r0[kk], r1[k1], r0[k1]});
        }
    }
    if (!closed) {
        addCap(rings.front(), path.front(), normalized(sub(path[0], path[1])), false);
        addCap(rings.back(), path.back(), normalized(sub(path[n - 1], path[n - 2])), true);
    }
}

void TubeMesh::appendObj(std::string& out, const std::string& name, size_t firstIndex) const
{
    char line[128];
    out += "o " + name + "\n";
    for (const Vec3& p : positions) {
        std::snprintf(line, sizeof line, "v %.5f %.5f %.5f\n", p[0], p[1], p[2]);
        out += line;
    }
    for (const Vec3& v : normals) {
        std::snprintf(line, sizeof line, "vn %.5f %.5f %.5f\n", v[0], v[1], v[2]);
        out += line;
    }
    for (const auto& t : triangles) {
        const size_t a = t[0] + firstIndex;
        const size_t b = t[1] + firstIndex;
        const size_t c = t[2] + firstIndex;
        std::snprintf(line, sizeof line, "f %zu//%zu %zu//%zu %zu//%zu\n", a, a, b, b, c, c);
        out += line;
    }
}

} // namespace resgen
