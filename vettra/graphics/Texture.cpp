#include "graphics/Texture.h"

#include <cstdlib>

namespace vell {

Texture::~Texture()
{
    if (textureObject)
        glDeleteTextures(1, &textureObject);
    free(pixels);
}

std::vector<unsigned char> Texture::checkerPixels(int w, int h)
{
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto v = static_cast<unsigned char>(((x & 16) ^ (y & 16)) * 255);
            unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = p[1] = p[2] = v;
            p[3] = 255;
        }
    }
    return rgba;
}

bool Texture::uploadImage(GLenum imageTarget, int w, int h, int bitsPerPixel, const void* data)
{
    if (bitsPerPixel == 32) {
        glTexImage2D(imageTarget, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, data);
    } else if (bitsPerPixel == 24) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // tightly packed rows
        glTexImage2D(imageTarget, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, data);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    } else {
        return false;
    }
    return true;
}

} // namespace vell
