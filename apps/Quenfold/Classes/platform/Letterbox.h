#pragma once

#include <GLES2/gl2.h>

// Shows the 480x320 frame scaled into the window, keeping its 3:2 aspect:
// where the picture goes, and (on a host that scales with the GL) a texture
// holding the frame and the program drawing it.
class Letterbox {
public:
    struct Rect {
        int x, y, width, height;
    };

    // Largest rect of the frame's aspect centred in a window of the given size.
    static Rect fit(int windowWidth, int windowHeight);

    bool create();

    // Draws the frame texture into the bound framebuffer of the given size.
    void draw(int drawableWidth, int drawableHeight);
    // The 480x320 RGBA texture drawn.
    GLuint frameTexture() const { return texture; }

private:
    GLuint texture = 0;
    GLuint program = 0;
};
