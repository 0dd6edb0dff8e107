#include "filters/FilterPass.h"

#include "geom/FullScreenQuad.h"
#include "graphics/FBO.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

FilterPass::FilterPass(const char* shaderFile, const char* filterName)
    : fbo(std::make_unique<vell::FBO>()),
      shader(vell::Shader::fromFile(shaderFile, false)),
      quad(std::make_unique<vell::FullScreenQuad>()),
      name(filterName)
{
}

FilterPass::~FilterPass() = default;

vell::Shader* FilterPass::begin()
{
    if (!shader || !shader->isValid()) {
        if (!reported)
            vell::Log::error("%s has no usable shader and draws nothing", name);
        reported = true;
        return nullptr;
    }
    glActiveTexture(GL_TEXTURE0);
    shader->bind();
    return shader.get();
}

void FilterPass::draw(vell::Texture2D* target, vell::Texture2D* source)
{
    fbo->bindColorTexture(target);
    source->bind();
    // A source of the target's size is read at one texel per pixel, where GL
    // samples with the magnification filter. A trilinear minification filter
    // then gives way to the bilinear one for the pass: the same pixels, and the
    // renderer no longer works out per pixel which of the two applies.
    GLint minFilter = 0, magFilter = 0;
    if (source->getWidth() == target->getWidth() && source->getHeight() == target->getHeight()) {
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    }
    const bool bilinear = minFilter == GL_LINEAR_MIPMAP_LINEAR && magFilter == GL_LINEAR;
    if (bilinear)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    quad->render(shader.get());
    if (bilinear) {
        source->bind();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    }
}
