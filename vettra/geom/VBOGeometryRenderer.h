#pragma once

#include "geom/VAGeometryRenderer.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace vell {

// Draws a geometry whose vertices stay put: the streams are copied into one GL
// buffer on the first draw and again after invalidate(). Indices are still read
// from the geometry on every draw, so they may be rewritten (sorted) freely;
// they are checked against the vertex count again only after such a write.
class VBOGeometryRenderer : public VAGeometryRenderer {
public:
    explicit VBOGeometryRenderer(Geometry* drawn) : VAGeometryRenderer(drawn) {}
    ~VBOGeometryRenderer() override;

protected:
    void beginArrays() override;
    const void* arrayPointer(const VertexAttrib& stream) const override;
    void endArrays() override;
    // Checks the whole list, once per write of it: every run of it fits then.
    bool indicesFit(const uint16_t* indices, unsigned int size, const IndexRange& run) override;

private:
    void upload();

    GLuint buffer = 0;
    unsigned int uploadedVertices = 0;
    std::vector<std::pair<const VertexAttrib*, size_t>> offsets; // byte offset of each stream

    // The last triangle and edge index lists found to fit.
    struct CheckedIndices {
        bool fits = false;
        uint64_t writes = 0;
        unsigned int vertices = 0;
    };
    CheckedIndices checked[2];
};

} // namespace vell
