#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>

namespace vell {
class Geometry;
class Shader;
class Texture2D;
} // namespace vell

// Two photographs as one cloud of additive point sprites, one per pixel, pushed
// into depth by brightness (the first picture backwards, the second forwards).
// A tap morphs to the other picture through a burst; a two-finger drag tilts.
class PointSprites : public Effect {
public:
    static constexpr float restA = 3.1415927f;  // at rest on the first picture
    static constexpr float restB = 9.424778f;   // at rest on the second
    static constexpr float restA2 = 15.707963f; // the first again, a full turn on

    PointSprites();
    ~PointSprites() override;

    void draw() override;
    void onMouseDown(int x, int y, int touchCount) override;
    void onMouseMove(int x, int y, int touchCount) override;

    // Fills particles from the two pictures' kept pixels: at most one particle per
    // pixel of imageA and never more than 16-bit indices reach.
    void buildParticles();
    // Moves phase on while a transition runs.
    void advancePhase(float dt);

    std::unique_ptr<vell::Texture2D> flareTexture;
    std::unique_ptr<vell::Texture2D> imageA;
    std::unique_ptr<vell::Texture2D> imageB;
    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::Geometry> particles;
    vell::vec3 cursor;
    float phase = restA;
    int state = 0; // 0 rest on A, 1 to B, 2 rest on B, 3 back to A
    float tilt = 0; // degrees
};
