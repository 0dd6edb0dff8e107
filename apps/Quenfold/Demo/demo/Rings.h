#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>
#include <vector>

class BlurFilter;

namespace vell {
class Geometry;
class Overlay;
class RenderTexture;
class Shader;
class Texture2D;
} // namespace vell

// Partial cylinder bands and thin full rings about the vertical axis, seen from
// one of three orbiting cameras over a gradient, drawn into a small texture that
// is blurred and stretched over the screen.
class Rings : public Effect {
public:
    Rings();
    ~Rings() override;

    // One band of segments x rows quads between the two angles (degrees), of the
    // given height centred on centerY; the caller owns it.
    static vell::Geometry* genRing(float startAngle, float endAngle, float radius, float height, float centerY,
                                   float segments, float rows);
    void generateRings();
    void draw() override;

    std::unique_ptr<vell::Shader> shader;     // wide bands
    std::vector<std::unique_ptr<vell::Geometry>> bands;
    std::vector<std::unique_ptr<vell::Geometry>> thinRings;
    std::unique_ptr<vell::Overlay> overlay;
    std::unique_ptr<vell::Texture2D> backgroundTexture;
    std::unique_ptr<vell::Shader> colorShader; // thin rings
    std::unique_ptr<BlurFilter> blurFilter;
    std::unique_ptr<vell::RenderTexture> sceneTexture;
    vell::vec3 spareVector;
    int stage;          // camera: 0, 1, anything else as 2
    float blurStrength; // applied from the next frame's blur on

private:
    void primeBlur();
};
