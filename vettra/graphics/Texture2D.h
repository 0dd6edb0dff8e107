#pragma once

#include "graphics/Texture.h"

namespace vell {

class Texture2D : public Texture {
public:
    // Empty RGBA texture, left bound.
    static Texture2D* create(int width, int height);
    // Empty 16-bit depth texture, left bound.
    static Texture2D* createDepth(int width, int height);
    // Image resource with mipmaps; the checker when the image is missing, null for
    // an unsupported pixel depth.
    static Texture2D* fromFile(const char* fileName, bool keepPixels);
    // 256x256 placeholder for missing images.
    static Texture2D* generateChecker();

protected:
    // Generates, sizes and binds the texture, sets its sampling and allocates level 0.
    void allocate(int w, int h, GLenum format, GLenum type, GLenum minFilter, GLenum magFilter,
                  GLenum wrap);
    // An empty RGBA texture to render into: trilinear sampling, mipmaps generated once.
    void allocateTarget(int w, int h, GLenum wrap);
};

} // namespace vell
