#pragma once

#include "framework/Effect.h"
#include "geom/FullScreenQuad.h"
#include "math/Vec.h"

#include <memory>

namespace vell {
class Shader;
}

// Lays fadeColor over the whole viewport, blended by its alpha and regardless of
// depth: covers everything drawn before it in the frame.
class TarskFade : public Effect {
public:
    TarskFade();
    ~TarskFade() override;

    void draw() override;

    std::unique_ptr<vell::Shader> shader;
    vell::FullScreenQuad quad;
    vell::vec4 fadeColor; // RGBA; animated
};
