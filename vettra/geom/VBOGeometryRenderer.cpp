#include "geom/VBOGeometryRenderer.h"

#include "geom/Geometry.h"
#include "graphics/VertexAttrib.h"

namespace vell {

VBOGeometryRenderer::~VBOGeometryRenderer()
{
    if (buffer)
        glDeleteBuffers(1, &buffer);
}

void VBOGeometryRenderer::beginArrays()
{
    // Streams added or resized since the upload make it stale too.
    if (!valid || uploadedVertices != geometry->getNumVertices() ||
        offsets.size() != geometry->getAttribs().size())
        upload();
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
}

const void* VBOGeometryRenderer::arrayPointer(const VertexAttrib& stream) const
{
    for (const auto& [attrib, offset] : offsets) {
        if (attrib == &stream)
            return reinterpret_cast<const void*>(offset);
    }
    return nullptr;
}

// Client arrays of the next draw must not be read as offsets into this buffer.
void VBOGeometryRenderer::endArrays() { glBindBuffer(GL_ARRAY_BUFFER, 0); }

bool VBOGeometryRenderer::indicesFit(const uint16_t* indices, unsigned int size, const IndexRange&)
{
    // Resizing or handing out either list counts as a write; vertices may change in number.
    const Geometry& drawn = *geometry;
    CheckedIndices& last = checked[indices == drawn.getEdgeIndices() ? 1 : 0];
    const CheckedIndices now{true, drawn.getIndexWrites(), drawn.getNumVertices()};
    if (last.fits && last.writes == now.writes && last.vertices == now.vertices)
        return true;
    last.fits = false;
    if (!VAGeometryRenderer::indicesFit(indices, size, IndexRange{0, size}))
        return false;
    last = now;
    return true;
}

void VBOGeometryRenderer::upload()
{
    if (!buffer)
        glGenBuffers(1, &buffer);
    offsets.clear();
    size_t bytes = 0;
    for (const auto& attrib : geometry->getAttribs()) {
        offsets.emplace_back(attrib.get(), bytes);
        bytes += size_t{attrib->getNumVertices()} * attrib->getSize() * sizeof(float);
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
    for (size_t i = 0; i < offsets.size(); ++i) {
        const VertexAttrib& attrib = *offsets[i].first;
        if (attrib.getBuffer())
            glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(offsets[i].second),
                            static_cast<GLsizeiptr>(size_t{attrib.getNumVertices()} * attrib.getSize() * sizeof(float)),
                            attrib.getBuffer());
    }
    uploadedVertices = geometry->getNumVertices();
    valid = true;
}

} // namespace vell
