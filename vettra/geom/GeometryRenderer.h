#pragma once

#include <cstddef>
#include <vector>

namespace vell {

class Geometry;
class Shader;

// A run of count entries of an index list, from entry first on.
struct IndexRange {
    unsigned int first;
    unsigned int count;
};

// Appends run to runs, joined to the last one where the two meet.
inline void appendRun(std::vector<IndexRange>& runs, const IndexRange& run)
{
    if (!runs.empty() && runs.back().first + runs.back().count == run.first)
        runs.back().count += run.count;
    else
        runs.push_back(run);
}

// Draws one geometry with a shader; the geometry owns its renderer.
class GeometryRenderer {
public:
    explicit GeometryRenderer(Geometry* drawn) : geometry(drawn) {}
    virtual ~GeometryRenderer() = default;
    GeometryRenderer(const GeometryRenderer&) = delete;
    GeometryRenderer& operator=(const GeometryRenderer&) = delete;

    virtual void render(Shader* shader) = 0;
    virtual void renderRanges(Shader* shader, const IndexRange* ranges, size_t count) = 0;
    virtual void renderEdges(Shader* shader) = 0;

    void invalidate() { valid = false; }

protected:
    bool valid = false;
    Geometry* geometry;
};

} // namespace vell
