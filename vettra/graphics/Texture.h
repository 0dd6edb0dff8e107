#pragma once

#include <GLES2/gl2.h>

#include <vector>

namespace vell {

// Owns one GL texture object and, when asked to keep it, its source pixels.
class Texture {
public:
    Texture() = default;
    virtual ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    GLuint getTextureObject() const { return textureObject; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getBpp() const { return bpp; }
    const unsigned char* getPixels() const { return pixels; }

    // Binds to the active texture unit.
    void bind() const { glBindTexture(target, textureObject); }

    // RGBA checker of 16-pixel squares: 240 grey and black, opaque.
    static std::vector<unsigned char> checkerPixels(int w, int h);

protected:
    // Uploads 32-bit RGBA or 24-bit RGB pixels to one image target; false for other depths.
    static bool uploadImage(GLenum imageTarget, int w, int h, int bitsPerPixel, const void* data);

    GLuint textureObject = 0;
    GLenum target = GL_TEXTURE_2D;
    int width = 0;
    int height = 0;
    int bpp = 0;
    unsigned char* pixels = nullptr; // malloc'd by the image loader
};

} // namespace vell
