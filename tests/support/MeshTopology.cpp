#include "support/MeshTopology.h"

#include "geom/Geometry.h"

#include <algorithm>
#include <cmath>
#include <tuple>

MeshTopology::MeshTopology(const vell::Geometry& mesh)
{
    const float* p = mesh.getAttrib("position", vell::VEC3)->getBuffer();
    std::map<std::tuple<long, long, long>, int> ids;
    auto id = [&](int v) {
        auto key = std::make_tuple(std::lround(p[3 * v] * 1e5), std::lround(p[3 * v + 1] * 1e5),
                                   std::lround(p[3 * v + 2] * 1e5));
        return ids.emplace(key, static_cast<int>(ids.size())).first->second;
    };
    const uint16_t* index = mesh.getIndices();
    triangles = static_cast<int>(mesh.getNumIndices() / 3);
    for (int t = 0; t < triangles; ++t) {
        const int v[3] = {id(index[3 * t]), id(index[3 * t + 1]), id(index[3 * t + 2])};
        for (int i = 0; i < 3; ++i)
            ++edgeUses[{std::min(v[i], v[(i + 1) % 3]), std::max(v[i], v[(i + 1) % 3])}];
    }
    vertices = static_cast<int>(ids.size());
}

int MeshTopology::openEdges() const
{
    return static_cast<int>(std::count_if(edgeUses.begin(), edgeUses.end(), [](const auto& e) { return e.second != 2; }));
}

int MeshTopology::euler() const
{
    return vertices - static_cast<int>(edgeUses.size()) + triangles;
}
