#pragma once

#include "geom/VAGeometryRenderer.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace vell {

// Draws a geometry whose vertices stay put: the streams are copied into one GL
// buffer on the first draw and again after invalidate(). Indices are still read
// from the geometry on every draw, so they may be rewritten (sorted) freely.
class VBOGeometryRenderer : public VAGeometryRenderer {
public:
    explicit VBOGeometryRenderer(Geometry* drawn) : VAGeometryRenderer(drawn) {}
    ~VBOGeometryRenderer() override;

protected:
    void beginArrays() override;
    const void* arrayPointer(const VertexAttrib& stream) const override;
    void endArrays() override;

private:
    void upload();

    GLuint buffer = 0;
    unsigned int uploadedVertices = 0;
    std::vector<std::pair<const VertexAttrib*, size_t>> offsets; // byte offset of each stream
};

} // namespace vell
