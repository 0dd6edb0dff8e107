#pragma once

#include "framework/Effect.h"
#include "math/Mat.h"
#include "math/Vec.h"

#include <memory>

class QuadLand2;

namespace vell {
class Geometry;
class Shader;
class Texture2D;
} // namespace vell

// A large grid-built pyramid turning slowly about the vertical axis, filled and
// then outlined. Every pixel where it passes the depth test gets stencil value 1,
// and the stencil test is left enabled for the effects drawn after it.
class Piramid : public Effect {
public:
    Piramid();
    ~Piramid() override;

    // A box tapered from bottomScale at baseY to topScale at baseY + height, built
    // from five grids (four sides, then the bottom) of "position" and "texCoord0";
    // the caller owns it. Segment counts below 1 count as 1.
    static vell::Geometry* genPiramid(float width, float height, float depth, int segmentsX, int segmentsY,
                                      int segmentsZ, float bottomScale, float topScale, float baseY);

    void draw() override;

    // Frame pixels (x, y, width, height) that hold every pixel this frame's
    // draw marked, a margin for the outline included; false when the pyramid
    // was not drawn in this frame of the clock. Each draw's rectangle is
    // handed out once.
    bool takeMarkedRect(int rect[4]);

    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::Geometry> pyramid;
    std::unique_ptr<vell::Texture2D> faceTexture; // bound during both passes
    float pyramidZ;
    float cameraHeight;
    bool overheadCamera; // also moves the pyramid to z = -45
    float pyramidY;      // the pyramid stands at y = pyramidY + 5
    float rotationAngle; // degrees about y
    bool freezeRotation; // holds rotationAngle instead of following the clock
    vell::vec4 fillColor;
    vell::vec4 edgeColor;

    // The landscape drawn before it, if known: its off-screen scene waits for
    // the pyramid and is added where the pyramid did not draw.
    QuadLand2* ground = nullptr;

private:
    // The stencil state the pyramid draws with, which later effects find.
    static void markDrawnPixels();
    void drawMarked(const vell::mat4& view);
    vell::mat4 markedTransform; // model-view-projection of the last draw
    int markedFrame = -1;       // the clock's frame count at that draw; -1 once taken
};
