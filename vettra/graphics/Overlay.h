#pragma once

#include "math/Vec.h"

#include <memory>

namespace vell {

class FullScreenQuad;
class Shader;
class Texture;

// Draws a texture across the whole viewport, tinted by color, without depth.
class Overlay {
public:
    Overlay();
    ~Overlay();
    Overlay(const Overlay&) = delete;
    Overlay& operator=(const Overlay&) = delete;

    // invert flips the texture vertically. Leaves depth test and writes on.
    void render(Texture* texture, bool invert);

    vec4 color;

private:
    std::unique_ptr<Shader> shader;
    std::unique_ptr<FullScreenQuad> quad;
};

} // namespace vell
