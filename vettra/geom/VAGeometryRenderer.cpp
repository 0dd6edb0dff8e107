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
    draw(shader, static_cast<GLenum>(drawn.getPrimitiveType()), static_cast<GLsizei>(drawn.getNumIndices()),
         drawn.getIndices());
}

void VAGeometryRenderer::renderEdges(Shader* shader)
{
    const Geometry& drawn = *geometry;
    draw(shader, GL_LINES, static_cast<GLsizei>(drawn.getNumEdgeIndices()), drawn.getEdgeIndices());
}

void VAGeometryRenderer::draw(Shader* shader, GLenum mode, GLsizei count, const uint16_t* indices)
{
    if (!shader || !shader->isValid())
        return;
    GLDebug::checkErrors("VAGeometryRenderer::render");
    beginArrays();
    const bool anyArray = bindArrays(*shader);
    GLDebug::checkErrors("VAGeometryRenderer::glVertexAttribPointer");

    // GL reads the arrays at every index: one past the vertex count would read
    // outside the stream's buffers.
    if (anyArray && count > 0 && !indicesFit(indices, count)) {
        Log::error("VAGeometryRenderer: index past the %u vertices, draw skipped", geometry->getNumVertices());
        endArrays();
        return;
    }
    glDrawElements(mode, count, GL_UNSIGNED_SHORT, indices);
    endArrays();
    GLDebug::checkErrors("VAGeometryRenderer::glDrawElements");
}

bool VAGeometryRenderer::indicesFit(const uint16_t* indices, GLsizei count)
{
    return largestIndex(indices, count) < geometry->getNumVertices();
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
