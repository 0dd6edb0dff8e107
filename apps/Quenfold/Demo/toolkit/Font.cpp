#include "toolkit/Font.h"

#include "graphics/Shader.h"
#include "graphics/Texture2D.h"

Font::Font(int widthPixels, int heightPixels)
    : shader(vell::Shader::fromFile("FontShader.glsl", false)),
      texture(vell::Texture2D::fromFile("FontHelvetica.png", false)), glyphAdvances("FontHelvetica.dat"),
      width(static_cast<float>(widthPixels)), height(static_cast<float>(heightPixels))
{
}

Font::~Font() = default;
