#include "support/TextureData.h"

std::vector<uint8_t> readBoundFramebuffer(int width, int height)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::vector<uint8_t> readTexture(const vell::Texture& texture)
{
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    GLuint fb = 0;
    glGenFramebuffers(1, &fb);
    glBindFramebuffer(GL_FRAMEBUFFER, fb);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture.getTextureObject(), 0);
    auto rgba = readBoundFramebuffer(texture.getWidth(), texture.getHeight());
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
    glDeleteFramebuffers(1, &fb);
    return rgba;
}

Texel texelAt(const std::vector<uint8_t>& rgba, int width, int x, int y)
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
}

std::unique_ptr<vell::Texture2D> makeTexture(int width, int height, const std::vector<uint8_t>& rgba)
{
    std::unique_ptr<vell::Texture2D> texture(vell::Texture2D::create(width, height));
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return texture;
}
