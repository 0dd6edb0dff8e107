#pragma once

#include "geom/GeometryRenderer.h"

#include <GLES2/gl2.h>

#include <cstdint>

namespace vell {

class VertexAttrib;

// Draws a geometry from client-side vertex arrays, re-specified on every draw.
// Attribute i of the shader is fed from the stream of the same name and type.
class VAGeometryRenderer : public GeometryRenderer {
public:
    explicit VAGeometryRenderer(Geometry* drawn) : GeometryRenderer(drawn) {}

    void render(Shader* shader) override;
    void renderRanges(Shader* shader, const IndexRange* ranges, size_t count) override;
    void renderEdges(Shader* shader) override;

protected:
    // Where the arrays are read from: before the attributes are pointed, the
    // pointer given for a stream, after the draw.
    virtual void beginArrays() {}
    virtual const void* arrayPointer(const VertexAttrib& stream) const;
    virtual void endArrays() {}
    // Whether every index of the run names one of the geometry's vertices; the
    // run lies within the list of size entries that starts at indices.
    virtual bool indicesFit(const uint16_t* indices, unsigned int size, const IndexRange& run);

private:
    void draw(Shader* shader, GLenum mode, const uint16_t* indices, unsigned int size, const IndexRange* runs,
              size_t count);
    // Points each declared attribute at its stream; false when none is bound.
    bool bindArrays(const Shader& shader);

    // Locations whose arrays this renderer class left enabled (one GL context per process).
    static uint32_t enabledArrays;
};

} // namespace vell
