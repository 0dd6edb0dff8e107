#include "graphics/RenderTexture.h"

#include "utils/Platform.h"

namespace vell {

RenderTexture* RenderTexture::create(int width, int height, bool withDepth)
{
    auto* texture = new RenderTexture();
    texture->allocateTarget(width, height, GL_CLAMP_TO_EDGE);

    texture->fbo = std::make_unique<FBO>();
    texture->fbo->bind();
    if (withDepth)
        texture->fbo->addDepthBuffer(width, height);
    texture->fbo->bindColorTexture(texture);
    texture->fbo->checkErrors();
    texture->fbo->unbind();
    return texture;
}

void RenderTexture::begin()
{
    fbo->bind();
    glViewport(0, 0, width, height);
}

void RenderTexture::end()
{
    glViewport(0, 0, static_cast<GLsizei>(osGetPixelWidth()), static_cast<GLsizei>(osGetPixelHeight()));
    fbo->unbind();
}

} // namespace vell
