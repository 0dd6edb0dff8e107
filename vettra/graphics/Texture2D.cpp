#include "graphics/Texture2D.h"

#include "utils/FileReports.h"
#include "utils/Platform.h"
#include "utils/Utils.h"

#include <cstdlib>

namespace vell {

void Texture2D::allocate(int w, int h, GLenum format, GLenum type, GLenum minFilter, GLenum magFilter,
                         GLenum wrap)
{
    target = GL_TEXTURE_2D;
    glGenTextures(1, &textureObject);
    width = w;
    height = h;
    bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(wrap));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(wrap));
    glTexImage2D(GL_TEXTURE_2D, 0, format, w, h, 0, format, type, nullptr);
}

namespace {

// Only the plain factories read the GL error; render targets leave it for the frame check.
void logCreateError()
{
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        Log::error("Texture2D::create error %d", error);
}

void finishMipmapped()
{
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

} // namespace

void Texture2D::allocateTarget(int w, int h, GLenum wrap)
{
    allocate(w, h, GL_RGBA, GL_UNSIGNED_BYTE, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, wrap);
    glGenerateMipmap(GL_TEXTURE_2D);
}

Texture2D* Texture2D::create(int width, int height)
{
    auto* texture = new Texture2D();
    texture->allocate(width, height, GL_RGBA, GL_UNSIGNED_BYTE, GL_LINEAR, GL_NEAREST, GL_REPEAT);
    logCreateError();
    return texture;
}

Texture2D* Texture2D::createDepth(int width, int height)
{
    // OpenGL ES 2.0 takes depth textures as 16 or 32 bits, not bytes.
    auto* texture = new Texture2D();
    texture->allocate(width, height, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, GL_NEAREST, GL_NEAREST,
                      GL_REPEAT);
    logCreateError();
    return texture;
}

Texture2D* Texture2D::fromFile(const char* fileName, bool keepPixels)
{
    unsigned int w = 0, h = 0, bits = 0;
    auto* data = static_cast<unsigned char*>(osLoadImageFile(fileName, &w, &h, &bits));
    if (!data) {
        if (!osImageFileExists(fileName) && FileReports::isFirst(fileName)) // the loader reports a refused file
            Log::msg("Error: Failed to load Texture2D from '%s'", fileName);
        return generateChecker();
    }
    Texture2D* texture = create(static_cast<int>(w), static_cast<int>(h));
    texture->bpp = static_cast<int>(bits);
    if (!uploadImage(GL_TEXTURE_2D, texture->width, texture->height, texture->bpp, data)) {
        Log::error("Texture2D::fromFile unsupported numbe of bpp (%d) in \"%s\"", texture->bpp, fileName);
        free(data);
        delete texture;
        return nullptr;
    }
    if (keepPixels)
        texture->pixels = data;
    else
        free(data);
    finishMipmapped();
    return texture;
}

Texture2D* Texture2D::generateChecker()
{
    Texture2D* texture = create(256, 256);
    texture->bpp = 24;
    texture->bind();
    const std::vector<unsigned char> rgba = checkerPixels(256, 256);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    finishMipmapped();
    return texture;
}

} // namespace vell
