#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>

class RenderCubeMap;

namespace vell {
class Camera;
class Geometry;
class Overlay;
class Shader;
class Sphere;
class Texture2D;
class TextureCube;
} // namespace vell

// A faceted crystal (a spindle of `segments` sides and `rows` rows) drawn with
// refraction and reflection over a sky: every frame its surroundings are
// rendered into a cube map from its centre, which the refraction looks into.
// Dark edge lines and darkened corners on top; a vertical drag sets the
// camera's height.
class Crystal2 : public Effect {
public:
    Crystal2();
    ~Crystal2() override;

    void draw() override;
    void onMouseMove(int x, int y, int touchCount) override;

    // Facet triangles with face normals and texture coordinates, no shared
    // vertices; heights and radii hold rows + 1 rings, bottom to top. Empty, with
    // an error, when the counts are below 1 or the vertices pass 16-bit indices.
    static vell::Geometry* genCrystal(int segments, int rows, const float* heights, const float* radii);
    // The same vertices, each triangle as its three edges.
    static vell::Geometry* genCrystalLines(int segments, int rows, const float* heights, const float* radii);
    // Point of ring r, column j.
    static vell::vec3 gridPoint(int r, int j, int segments, const float* heights, const float* radii);

    void render(vell::Camera* faceCamera);
    void renderCubeMapScene();
    void renderRefractScene();

    std::unique_ptr<vell::Geometry> crystal;
    std::unique_ptr<vell::Geometry> crystalLines;
    std::unique_ptr<vell::TextureCube> skyTexture;
    std::unique_ptr<vell::Sphere> skySphere;
    std::unique_ptr<vell::Shader> skyShader;
    std::unique_ptr<vell::Camera> camera;
    std::unique_ptr<RenderCubeMap> cubeMap;
    std::unique_ptr<vell::Texture2D> darkCornersTexture;
    std::unique_ptr<vell::Overlay> overlay;
    vell::vec3 referencePoint;
    float cameraHeight = 0;
    std::unique_ptr<vell::Shader> refractionShader;
    std::unique_ptr<vell::Shader> internalShader;
    std::unique_ptr<vell::Shader> edgeShader;

private:
    void addCrystalStreams();
    void drawSky(vell::Camera* view);
};
