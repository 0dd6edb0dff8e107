#pragma once

#include "filters/FilterPass.h"
#include "graphics/Texture2D.h"
#include "math/Vec.h"

#include <memory>

// A texture holding a blurred copy of a source: four separable Gaussian passes
// ping-ponging with a second texture of the same size.
class BlurFilter : public vell::Texture2D {
public:
    static BlurFilter* create(int width, int height);
    ~BlurFilter() override;

    void setStrength(const vell::vec2& s) { strength = s; }
    const vell::vec2& getStrength() const { return strength; }
    // Leaves the framebuffer bound before, and the 480x320 viewport.
    void apply(vell::Texture2D* source);

private:
    BlurFilter();

    FilterPass pass;
    vell::vec2 strength;
    std::unique_ptr<vell::Texture2D> tempTexture;
};
