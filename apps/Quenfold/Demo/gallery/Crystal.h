#pragma once

#include "framework/Effect.h"

#include <memory>

namespace vell {
class Overlay;
class Shader;
class Texture2D;
class Torus;
} // namespace vell

// A coarse torus as a translucent wire cage, a solid purple body and a bright
// wire overlay, seen from a camera circling the origin, under a caption overlay.
class Crystal : public Effect {
public:
    Crystal();
    ~Crystal() override;

    void draw() override;

    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::Torus> torus;
    std::unique_ptr<vell::Texture2D> overlayTexture;
    std::unique_ptr<vell::Overlay> overlay;
};
