#pragma once

#include <GLES2/gl2.h>

// Saves the GL state an overlay drawn over a finished frame may change, sets
// a plain 480x320 state for it, and restores everything when it goes, so the
// application's next frame starts from the state it left.
class OverlayState {
public:
    OverlayState();
    ~OverlayState();
    OverlayState(const OverlayState&) = delete;
    OverlayState& operator=(const OverlayState&) = delete;

private:
    GLint viewport[4] = {};
    GLint program = 0, arrayBuffer = 0, elementBuffer = 0, activeTexture = 0, texture = 0;
    GLint blendSrcRgb = 0, blendDstRgb = 0, blendSrcAlpha = 0, blendDstAlpha = 0;
    GLboolean depthMask = GL_TRUE;
    GLboolean blend = GL_FALSE, depthTest = GL_FALSE, stencilTest = GL_FALSE, cullFace = GL_FALSE,
              scissorTest = GL_FALSE;
};
