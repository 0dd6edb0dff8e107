#pragma once

#include <GLES2/gl2.h>

// Shows the 480x320 frame scaled into the window, keeping its 3:2 aspect.
// Lives in its own GL context (sharing textures with the application's),
// so presenting never disturbs the application's GL state.
class Letterbox {
public:
    struct Rect {
        int x, y, width, height;
    };

    // Largest rect of the frame's aspect centred in a window of the given size.
    static Rect fit(int windowWidth, int windowHeight);

    // Both called with the presenting context current.
    bool create();
    void destroy();

    // With the application's context current: copies the bound framebuffer's colour.
    void capture();
    // With the presenting context current: draws into the default framebuffer.
    void draw(int drawableWidth, int drawableHeight);
    // The 480x320 RGBA texture drawn.
    GLuint frameTexture() const { return texture; }

private:
    GLuint texture = 0;
    GLuint program = 0;
};
