#pragma once

#include "math/Vec.h"

#include <memory>

namespace vell {
class FullScreenQuad;
class Shader;
} // namespace vell

// A two-colour vertical gradient over the whole viewport: color1 at the top,
// color2 at the bottom. Writes no depth.
class GradientBackground {
public:
    GradientBackground(const vell::vec3& color1, const vell::vec3& color2);
    ~GradientBackground();
    GradientBackground(const GradientBackground&) = delete;
    GradientBackground& operator=(const GradientBackground&) = delete;

    void render();

    std::unique_ptr<vell::FullScreenQuad> backgroundQuad;
    std::unique_ptr<vell::Shader> backgroundShader;
};
