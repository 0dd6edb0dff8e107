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

    // Steps in the source's texels at content scale 1: at scale S each is S
    // texels, so the blur covers the same part of the picture.
    void setStrength(const vell::vec2& s) { strength = s; }
    const vell::vec2& getStrength() const { return strength; }
    // Leaves the framebuffer bound before, and the frame's viewport.
    void apply(vell::Texture2D* source);

private:
    BlurFilter();

    FilterPass pass;
    vell::vec2 strength;
    float scale; // the content scale the filter was made at
    std::unique_ptr<vell::Texture2D> tempTexture;
};
