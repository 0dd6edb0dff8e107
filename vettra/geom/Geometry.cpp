#include "geom/Geometry.h"

#include "geom/VBOGeometryRenderer.h"

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

} // namespace vell
