#include "filters/DofFilter.h"

#include "graphics/FBO.h"
#include "graphics/Shader.h"
#include "utils/Platform.h"

DofFilter::DofFilter() : pass("DofFilter2.glsl", "DofFilter"), scale(static_cast<float>(osGetContentScale())) {}

DofFilter::~DofFilter() = default;

DofFilter* DofFilter::create(int width, int height)
{
    auto* filter = new DofFilter();
    filter->allocateTarget(width, height, GL_REPEAT);
    vell::FBO& fbo = filter->pass.framebuffer();
    fbo.bind();
    fbo.bindColorTexture(filter);
    fbo.checkErrors();
    fbo.unbind();
    return filter;
}

void DofFilter::apply(vell::Texture2D* color, vell::Texture2D* depth)
{
    vell::Shader* shader = pass.begin();
    if (!shader)
        return;
    glViewport(0, 0, width, height);
    shader->set("tex0", 0);
    shader->set("tex1", 1);
    shader->set("focalDepth", focalDepth);
    shader->set("focalRange", focalRange);
    // A blur radius in points: S texels of the colour at content scale S.
    shader->set("ds", scale / static_cast<float>(color->getWidth()));
    shader->set("dt", scale / static_cast<float>(color->getHeight()));
    glActiveTexture(GL_TEXTURE1);
    depth->bind();
    glActiveTexture(GL_TEXTURE0);
    vell::FBO& fbo = pass.framebuffer();
    fbo.bind();
    pass.draw(this, color);
    fbo.unbind();
    glViewport(0, 0, static_cast<GLsizei>(osGetPixelWidth()), static_cast<GLsizei>(osGetPixelHeight()));
}
