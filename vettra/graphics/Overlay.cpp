#include "graphics/Overlay.h"

#include "geom/FullScreenQuad.h"
#include "graphics/Shader.h"
#include "graphics/Texture.h"

namespace vell {

Overlay::Overlay()
    : color(1, 1, 1, 1), shader(Shader::fromFile("Overlay.glsl", false)), quad(std::make_unique<FullScreenQuad>())
{
}

Overlay::~Overlay() = default;

void Overlay::render(Texture* texture, bool invert)
{
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    // Without a shader (the loader has said why) nothing is drawn, but the
    // state is left as after a drawn overlay.
    if (shader && shader->isValid()) {
        shader->bind();
        shader->set("invertT", invert ? -1.0f : 1.0f);
        shader->set("color", color);
        texture->bind();
        quad->render(shader.get());
    }
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
}

} // namespace vell
