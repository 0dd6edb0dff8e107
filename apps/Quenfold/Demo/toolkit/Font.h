#pragma once

#include "toolkit/GlyphAdvances.h"

#include <memory>

namespace vell {
class Shader;
class Texture2D;
} // namespace vell

// The resources of the second bitmap font, for owners that draw with it themselves.
class Font {
public:
    Font(int width, int height);
    ~Font();

    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::Texture2D> texture;
    GlyphAdvances glyphAdvances;
    float width;
    float height;
};
