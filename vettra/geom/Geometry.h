#pragma once

#include "geom/GeometryRenderer.h"
#include "graphics/VertexStream.h"
#include "math/Vec.h"

#include <memory>

namespace vell {

class Shader;

// A mesh that draws itself: named vertex streams, 16-bit primitive indices drawn
// with the primitive type, and 16-bit edge indices drawn as lines.
class Geometry : public VertexStream {
public:
    // GL primitive modes.
    enum PrimitiveType {
        POINTS = 0,
        LINES = 1,
        TRIANGLES = 4,
    };

    Geometry();
    ~Geometry();

    void render(Shader* shader);
    // Draws only the given runs of the index list, in their order, with the
    // arrays bound once; the part of a run past the end of the list is left out.
    void renderRanges(Shader* shader, const IndexRange* ranges, size_t count);
    void renderEdges(Shader* shader);
    // Tells the renderer that vertex data changed in place.
    void invalidate();
    // Draws from a GL buffer from now on, filled on the next draw and after each
    // invalidate(): for meshes whose vertices stay put. Indices stay free to change.
    void makeStatic();
    // Negates every vector of the vec3 "normal" stream; no-op without one.
    void invertNormals();
    // The box of the "position"s that a run of the index list uses; indices past
    // the vertex count are left out. lo > hi where none is used.
    void bound(const IndexRange& run, vec3* lo, vec3* hi) const;

    void setPrimitiveType(PrimitiveType type) { primitiveType = type; }
    PrimitiveType getPrimitiveType() const { return primitiveType; }
    VertexStream* getVertexStream() { return this; }

private:
    std::unique_ptr<GeometryRenderer> renderer;
    PrimitiveType primitiveType = TRIANGLES;
};

} // namespace vell
