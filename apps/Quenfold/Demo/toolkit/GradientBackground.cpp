#include "toolkit/GradientBackground.h"

#include "geom/FullScreenQuad.h"
#include "graphics/Shader.h"

#include <GLES2/gl2.h>

using namespace vell;

GradientBackground::GradientBackground(const vec3& color1, const vec3& color2)
    : backgroundQuad(std::make_unique<FullScreenQuad>()),
      backgroundShader(Shader::fromFile("GradientBg.glsl", false))
{
    if (backgroundShader) {
        backgroundShader->bind();
        backgroundShader->set("color1", color1);
        backgroundShader->set("color2", color2);
    }
}

GradientBackground::~GradientBackground() = default;

void GradientBackground::render()
{
    if (!backgroundShader)
        return;
    glDepthMask(GL_FALSE);
    backgroundShader->bind();
    backgroundQuad->render(backgroundShader.get());
    glDepthMask(GL_TRUE);
}
