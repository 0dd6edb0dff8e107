#pragma once

#include "graphics/Camera.h"
#include "graphics/TextureCube.h"

#include <GLES2/gl2.h>

// A cube texture drawn into face by face: begin(face) makes that face the
// cleared render target with the camera looking along it; the caller draws
// with getCamera()'s matrices; end() returns to the framebuffer bound before.
class RenderCubeMap : public vell::TextureCube {
public:
    struct FaceView {
        vell::vec3 eye;
        vell::vec3 up;
        vell::vec3 target;
    };
    // Faces +x, -x, +y, -y, +z, -z (GL face order) seen from the origin, then the
    // on-screen view of the render-to-cube example.
    static const FaceView faceViews[7];
    static constexpr int faceCount = 6;

    // An RGBA cube texture (nearest sampling, clamped) and a framebuffer with its
    // +x face as colour and a 16-bit depth renderbuffer of the same size. Logs
    // whether the framebuffer is complete; the framebuffer bound before stays bound.
    static void createTarget(int size, GLuint* texture, GLuint* framebuffer, GLuint* depthBuffer);

    RenderCubeMap();
    ~RenderCubeMap() override;

    void init();
    // Face 0..5; any other face is refused with an error and draws nowhere.
    bool begin(int face);
    // The frame's viewport and the framebuffer bound before begin().
    void end();

    vell::Camera* getCamera() { return &camera; }

private:
    GLuint framebuffer = 0;
    GLuint depthBuffer = 0;
    int size; // pixels per side: 128 points
    vell::Camera camera;
    GLint previousFramebuffer = 0;
};
