#include "filters/FilterPass.h"

#include "geom/FullScreenQuad.h"
#include "graphics/FBO.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "utils/Utils.h"

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
    quad->render(shader.get());
}
