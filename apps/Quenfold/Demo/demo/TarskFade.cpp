#include "demo/TarskFade.h"

#include "graphics/Shader.h"

#include <GLES2/gl2.h>

using namespace vell;

TarskFade::TarskFade()
{
    shader.reset(Shader::fromFile("FullScreenQuadColor.glsl", false));
    fadeColor = vec4(0, 0, 0, 1);
}

TarskFade::~TarskFade() = default;

void TarskFade::draw()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    // A transparent fade leaves every pixel as it is: no full-screen pass then.
    if (shader && fadeColor.w > 0) {
        shader->bind();
        shader->set("color", fadeColor);
        quad.render(shader.get());
    }
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}
