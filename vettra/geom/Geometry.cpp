#include "geom/Geometry.h"

#include "geom/VBOGeometryRenderer.h"

#include <algorithm>

namespace vell {

Geometry::Geometry() : renderer(std::make_unique<VAGeometryRenderer>(this)) {}

// The renderer goes first, then the stream with its attributes.
Geometry::~Geometry() { renderer.reset(); }

void Geometry::render(Shader* shader) { renderer->render(shader); }

void Geometry::renderRanges(Shader* shader, const IndexRange* ranges, size_t count)
{
    renderer->renderRanges(shader, ranges, count);
}

void Geometry::renderEdges(Shader* shader) { renderer->renderEdges(shader); }

void Geometry::invalidate() { renderer->invalidate(); }

void Geometry::makeStatic() { renderer = std::make_unique<VBOGeometryRenderer>(this); }

void Geometry::invertNormals()
{
    VertexAttrib* normals = getAttrib("normal", VEC3);
    if (!normals || !normals->getBuffer())
        return;
    float* values = normals->getBuffer();
    const size_t count = static_cast<size_t>(normals->getNumVertices()) * 3;
    for (size_t i = 0; i < count; ++i)
        values[i] = -values[i];
}

void Geometry::bound(const IndexRange& run, vec3* lo, vec3* hi) const
{
    *lo = vec3(1e30f, 1e30f, 1e30f);
    *hi = vec3(-1e30f, -1e30f, -1e30f);
    const VertexAttrib* positions = getAttrib("position", VEC3);
    if (!positions)
        return;
    const float* p = positions->getBuffer();
    const uint16_t* list = getIndices();
    const unsigned int end = std::min(run.first + run.count, getNumIndices());
    for (unsigned int i = run.first; i < end; ++i) {
        if (list[i] >= getNumVertices())
            continue;
        for (unsigned int a = 0; a < 3; ++a) {
            (*lo)[a] = std::min((*lo)[a], p[3 * list[i] + a]);
            (*hi)[a] = std::max((*hi)[a], p[3 * list[i] + a]);
        }
    }
}

} // namespace vell
