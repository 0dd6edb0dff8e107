#pragma once

namespace vell {

class Geometry;
class Shader;

// Draws one geometry with a shader; the geometry owns its renderer.
class GeometryRenderer {
public:
    explicit GeometryRenderer(Geometry* drawn) : geometry(drawn) {}
    virtual ~GeometryRenderer() = default;
    GeometryRenderer(const GeometryRenderer&) = delete;
    GeometryRenderer& operator=(const GeometryRenderer&) = delete;

    virtual void render(Shader* shader) = 0;
    virtual void renderEdges(Shader* shader) = 0;

    void invalidate() { valid = false; }

protected:
    bool valid = false;
    Geometry* geometry;
};

} // namespace vell
