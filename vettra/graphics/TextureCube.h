#pragma once

#include "graphics/Texture.h"

namespace vell {

class TextureCube : public Texture {
public:
    // Six images named "<base>_<face>.<extension>", faces posx, negx, posy, negy,
    // posz, negz. A missing face is logged and filled with the checker; null for an
    // unsupported pixel depth.
    static TextureCube* fromFile(const char* baseName, const char* extension);

    static const char* const faceSuffixes[6];

protected:
    // Generates and binds a cube texture with clamped linear sampling.
    void allocateCube();
};

} // namespace vell
