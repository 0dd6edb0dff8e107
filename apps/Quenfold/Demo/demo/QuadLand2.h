#pragma once

#include "framework/Effect.h"
#include "toolkit/NoiseLines.h"

#include <memory>
#include <vector>

namespace vell {
class FullScreenQuad;
class Geometry;
class Overlay;
class RenderTexture;
class Shader;
class Texture2D;
} // namespace vell

class Tunnel;

// The scrolling landscape: a field of separate quads that rise and fall on a
// noise height field (orange fill, faint outlines) or lie flat as a white wire
// grid with a circular ripple; optionally rendered into a texture with the logo
// and added onto the screen through a gradient mix.
class QuadLand2 : public Effect {
public:
    QuadLand2();
    ~QuadLand2() override;

    void genLand();
    // Rewrites positions and normals for the current frame.
    void updateLand();
    void drawScene();
    void draw() override;
    // Adds the off-screen scene that draw left for the cover where the stencil
    // holds 0, and leaves the stencil test on with that function; nothing when
    // none was left.
    void addUncovered();

    std::unique_ptr<vell::Shader> edgeShader;
    std::unique_ptr<vell::Shader> fillShader;
    std::unique_ptr<vell::Geometry> geometry;
    float cellSize;
    std::unique_ptr<vell::RenderTexture> renderTexture;
    std::unique_ptr<vell::Overlay> overlay;
    std::unique_ptr<vell::Texture2D> logoTexture;
    std::unique_ptr<vell::Texture2D> gradientTexture;
    std::unique_ptr<vell::FullScreenQuad> fullScreenQuad;
    std::unique_ptr<vell::Shader> mixShader;
    int gridWidth;
    int gridDepth;
    float heightScale;     // <= 0 selects the flat look
    float scrollSpeed;
    float rowScroll;       // rows and the coarse noise octave
    float detailScroll;    // the two finer octaves
    float fillAlpha;
    float cameraHeight;
    float rippleAmplitude; // flat look only; decays 5 % a frame
    bool renderToTexture;
    bool overheadCamera;   // high camera, triple relief
    float logoAlpha;       // drawn only on the render-to-texture route
    float reliefFactor = 1.0f;
    // An effect drawn later in the frame, with nothing drawn in between, that
    // overwrites every pixel it draws (no blending) and marks them with 1 in
    // the cleared stencil, then calls addUncovered. While it is enabled, the
    // off-screen scene waits for it and is left out under what it drew: adding
    // it there first would have changed nothing.
    const Effect* cover = nullptr;
    // The tunnel, drawn later in the frame: while it is enabled and clears the
    // frame, nothing the landscape draws would show (it writes no stencil), so
    // only what carries over to the next frame moves on.
    const Tunnel* clearedBy = nullptr;

private:
    static constexpr size_t octaveCount = 3;
    std::vector<float> relief;  // per row: the heights along its near edge, then its far edge
    std::vector<float> columnX; // x of each column's corners
    NoiseLines octaves[octaveCount];
    void reliefRow(int line, float fz);
    // What one frame moves on, drawn or not: the scrolls and the ripple's decay.
    void advance();
    bool uncoveredPending = false; // draw left the adding onto the screen to addUncovered
    void drawLogo();
    void addOntoScreen();
    void mixOntoScreen();
};
