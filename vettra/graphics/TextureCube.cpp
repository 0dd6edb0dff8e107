#include "graphics/TextureCube.h"

#include "utils/Platform.h"
#include "utils/Utils.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace vell {

const char* const TextureCube::faceSuffixes[6] = {"posx", "negx", "posy", "negy", "posz", "negz"};

void TextureCube::allocateCube()
{
    target = GL_TEXTURE_CUBE_MAP;
    glGenTextures(1, &textureObject);
    bind();
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
    glTexParameterf(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
}

TextureCube* TextureCube::fromFile(const char* baseName, const char* extension)
{
    struct Face {
        unsigned char* data = nullptr;
        unsigned int width = 0, height = 0, bits = 0;
        char name[256];
    } faces[6];

    // Load all faces first, so a missing one can be filled at the others' size.
    int size = 0;
    for (int i = 0; i < 6; ++i) {
        Face& f = faces[i];
        snprintf(f.name, sizeof(f.name), "%s_%s.%s", baseName, faceSuffixes[i], extension);
        f.data = static_cast<unsigned char*>(osLoadImageFile(f.name, &f.width, &f.height, &f.bits));
        if (f.data && size == 0)
            size = static_cast<int>(f.width);
    }
    if (size == 0)
        size = 256;

    std::unique_ptr<TextureCube> cube(new TextureCube());
    cube->allocateCube();
    bool ok = true;
    for (int i = 0; i < 6 && ok; ++i) {
        Face& f = faces[i];
        const GLenum faceTarget = GL_TEXTURE_CUBE_MAP_POSITIVE_X + i;
        if (!f.data) {
            if (!osImageFileExists(f.name)) // a refused file has been reported by the loader
                Log::error("TextureCube: missing face '%s', using a checker", f.name);
            const std::vector<unsigned char> checker = checkerPixels(size, size);
            uploadImage(faceTarget, size, size, 32, checker.data());
            cube->width = cube->height = size;
            cube->bpp = 32;
            continue;
        }
        cube->width = static_cast<int>(f.width);
        cube->height = static_cast<int>(f.height);
        cube->bpp = static_cast<int>(f.bits);
        ok = uploadImage(faceTarget, cube->width, cube->height, cube->bpp, f.data);
        if (!ok)
            Log::error("Texture2D::fromFile unsupported numbe of bpp (%d) in \"%s\"", cube->bpp, baseName);
    }
    for (Face& f : faces)
        free(f.data);
    return ok ? cube.release() : nullptr;
}

} // namespace vell
