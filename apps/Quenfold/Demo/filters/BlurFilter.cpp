#include "filters/BlurFilter.h"

#include "graphics/FBO.h"
#include "graphics/Shader.h"
#include "utils/Platform.h"

BlurFilter::BlurFilter()
    : pass("BlurFilterES.glsl", "BlurFilter"), strength(1, 1), scale(static_cast<float>(osGetContentScale()))
{
}

BlurFilter::~BlurFilter() = default;

BlurFilter* BlurFilter::create(int width, int height)
{
    auto* filter = new BlurFilter();
    filter->allocateTarget(width, height, GL_CLAMP_TO_EDGE);
    filter->tempTexture.reset(vell::Texture2D::create(width, height));
    vell::FBO& fbo = filter->pass.framebuffer();
    fbo.bind();
    fbo.bindColorTexture(filter->tempTexture.get());
    fbo.checkErrors();
    fbo.unbind();
    return filter;
}

void BlurFilter::apply(vell::Texture2D* source)
{
    vell::Shader* shader = pass.begin();
    if (!shader)
        return;
    glViewport(0, 0, width, height);
    shader->set("tex0", 0);
    vell::FBO& fbo = pass.framebuffer();
    fbo.bind();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);

    // Steps are in the source's texture coordinates, whatever the filter's size.
    const float w = static_cast<float>(source->getWidth()) / scale;
    const float h = static_cast<float>(source->getHeight()) / scale;
    struct Step {
        vell::Texture2D* target;
        vell::Texture2D* read;
        float ds, dt;
    };
    const Step steps[] = {
        {tempTexture.get(), source, 3 * strength.x / w, 0},
        {this, tempTexture.get(), 0, 3 * strength.y / h},
        {tempTexture.get(), this, strength.x / w, 0},
        {this, tempTexture.get(), 0, strength.y / h},
    };
    for (const Step& s : steps) {
        shader->set("ds", s.ds);
        shader->set("dt", s.dt);
        pass.draw(s.target, s.read);
    }
    fbo.unbind();
    glViewport(0, 0, static_cast<GLsizei>(osGetPixelWidth()), static_cast<GLsizei>(osGetPixelHeight()));
}
