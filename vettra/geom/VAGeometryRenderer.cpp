#include "geom/VAGeometryRenderer.h"

#include "geom/Geometry.h"
#include "graphics/GLDebug.h"
#include "graphics/Shader.h"
#include "graphics/VertexAttrib.h"
#include "utils/Utils.h"

#include <algorithm>

namespace vell {

uint32_t VAGeometryRenderer::enabledArrays = 0;

namespace {

// A plain loop the compiler vectorises; the mesh with the most points has 50,000 indices.
unsigned int largestIndex(const uint16_t* indices, GLsizei count)
{
    uint16_t largest = 0;
    for (GLsizei i = 0; i < count; ++i)
        largest = std::max(largest, indices[i]);
    return largest;
}

} // namespace

// The indices are read, not written: the const geometry hands them out.
void VAGeometryRenderer::render(Shader* shader)
{
    const Geometry& drawn = *geometry;
    const IndexRange all{0, drawn.getNumIndices()};
    draw(shader, static_cast<GLenum>(drawn.getPrimitiveType()), drawn.getIndices(), all.count, &all, 1);
}

void VAGeometryRenderer::renderRanges(Shader* shader, const IndexRange* ranges, size_t count)
{
    const Geometry& drawn = *geometry;
    draw(shader, static_cast<GLenum>(drawn.getPrimitiveType()), drawn.getIndices(), drawn.getNumIndices(), ranges,
         count);
}

void VAGeometryRenderer::renderEdges(Shader* shader)
{
    const Geometry& drawn = *geometry;
    const IndexRange all{0, drawn.getNumEdgeIndices()};
    draw(shader, GL_LINES, drawn.getEdgeIndices(), all.count, &all, 1);
}

void VAGeometryRenderer::draw(Shader* shader, GLenum mode, const uint16_t* indices, unsigned int size,
                              const IndexRange* runs, size_t count)
{
    if (!shader || !shader->isValid())
        return;
    GLDebug::checkErrors("VAGeometryRenderer::render");
    beginArrays();
    const bool anyArray = bindArrays(*shader);
    GLDebug::checkErrors("VAGeometryRenderer::glVertexAttribPointer");

    for (size_t i = 0; i < count; ++i) {
        const unsigned int first = std::min(runs[i].first, size);
        const IndexRange run{first, std::min(runs[i].count, size - first)};
        // GL reads the arrays at every index: one past the vertex count would read
        // outside the stream's buffers.
        if (anyArray && run.count > 0 && !indicesFit(indices, size, run)) {
            Log::error("VAGeometryRenderer: index past the %u vertices, draw skipped", geometry->getNumVertices());
            break;
        }
        glDrawElements(mode, static_cast<GLsizei>(run.count), GL_UNSIGNED_SHORT, indices + run.first);
    }
    endArrays();
    GLDebug::checkErrors("VAGeometryRenderer::glDrawElements");
}

bool VAGeometryRenderer::indicesFit(const uint16_t* indices, unsigned int, const IndexRange& run)
{
    return largestIndex(indices + run.first, static_cast<GLsizei>(run.count)) < geometry->getNumVertices();
}

const void* VAGeometryRenderer::arrayPointer(const VertexAttrib& stream) const { return stream.getBuffer(); }

bool VAGeometryRenderer::bindArrays(const Shader& shader)
{
    const auto& declarations = shader.getAttribs();
    const size_t locations = std::min<size_t>(declarations.size(), 32);
    uint32_t bound = 0;
    for (size_t i = 0; i < locations; ++i) {
        const VertexAttrib* stream = geometry->getAttrib(declarations[i].name, declarations[i].type);
        if (!stream || !stream->getBuffer())
            continue; // no data for this location: it stays disabled
        const GLuint location = static_cast<GLuint>(i);
        glVertexAttribPointer(location, static_cast<GLint>(stream->getSize()), GL_FLOAT, GL_FALSE, 0,
                              arrayPointer(*stream));
        glEnableVertexAttribArray(location);
        bound |= 1u << i;
    }
    // Arrays left enabled by an earlier draw would point at another mesh's memory.
    for (uint32_t stale = enabledArrays & ~bound, i = 0; stale; stale >>= 1, ++i) {
        if (stale & 1u)
            glDisableVertexAttribArray(i);
    }
    enabledArrays = bound;
    return bound != 0;
}

} // namespace vell
