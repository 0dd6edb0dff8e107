#pragma once

#include "framework/Effect.h"

#include <memory>
#include <vector>

class BlurFilter;

namespace vell {
class Geometry;
class Overlay;
class RenderTexture;
class Shader;
} // namespace vell

// 24 noise tiles in a 5 x 5 ring around a box, seen by a camera circling them;
// the frame is a sharp render with a blurred small render added on top (a glow).
// Advances the frame clock itself, once per scene render (twice a frame).
class QuadLand : public Effect {
public:
    QuadLand();
    ~QuadLand() override;

    // One tile per layout cell, row-major; null for the empty centre.
    void genUnits();
    void drawScene();
    void draw() override;

    // 5 x 5, row-major: 1 = tile, 0 = empty.
    static const int layout[5][5];

    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::Geometry> box;
    std::vector<std::unique_ptr<vell::Geometry>> units;
    float unitSize;
    std::unique_ptr<vell::RenderTexture> sceneTexture;
    std::unique_ptr<vell::RenderTexture> glowTexture;
    std::unique_ptr<BlurFilter> blur;
    std::unique_ptr<vell::Overlay> overlay;
};
