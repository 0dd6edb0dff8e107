#pragma once

#include "filters/FilterPass.h"
#include "graphics/Texture2D.h"

// A texture holding a depth-of-field copy of a frame: sharp near the focal
// depth, increasingly blurred away from it.
class DofFilter : public vell::Texture2D {
public:
    static DofFilter* create(int width, int height);
    ~DofFilter() override;

    // Renders color, blurred by the matching depth texture; leaves the framebuffer
    // bound before, and the frame's viewport.
    void apply(vell::Texture2D* color, vell::Texture2D* depth);

    float focalDepth = 0.5f; // depth in focus, 0 (near) to 1 (far)
    float focalRange = 0.2f; // depth distance that stays sharp

private:
    DofFilter();

    FilterPass pass;
    float scale; // the content scale the filter was made at
};
