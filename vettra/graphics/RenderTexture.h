#pragma once

#include "graphics/FBO.h"
#include "graphics/Texture2D.h"

#include <memory>

namespace vell {

// A 2D texture drawn into through its own framebuffer.
class RenderTexture : public Texture2D {
public:
    static RenderTexture* create(int width, int height, bool withDepth);

    // Draw into the texture: binds its framebuffer and sets the viewport to its size.
    void begin();
    // Back to the framebuffer bound before begin(), with the 480x320 main viewport.
    void end();

private:
    std::unique_ptr<FBO> fbo;
};

} // namespace vell
