#pragma once

#include "framework/Effect.h"
#include "math/Mat.h"

#include <GLES2/gl2.h>

#include <memory>

namespace vell {
class Shader;
class Texture2D;
class TextureCube;
class Torus;
} // namespace vell

// Teaching example: four tori around the origin are rendered into the six faces
// of a cube map every frame, then a mirror torus at the origin reflects them.
class ExampleRenderToCubeMap : public Effect {
public:
    ExampleRenderToCubeMap();
    ~ExampleRenderToCubeMap() override;

    void draw() override;

    static constexpr int faceSize = 256; // points

    std::unique_ptr<vell::Shader> sceneShader;
    std::unique_ptr<vell::Texture2D> checker;
    std::unique_ptr<vell::Torus> torus;
    std::unique_ptr<vell::Shader> reflectionShader;
    std::unique_ptr<vell::TextureCube> unusedCube;
    GLuint cubeTexture = 0;
    GLuint framebuffer = 0;
    GLuint depthBuffer = 0;
    const int targetSize; // pixels per side

private:
    void drawScene(const vell::mat4& projection, const vell::mat4& view, float t);
};
