#pragma once

#include <GLES2/gl2.h>

// Shows the frame scaled into the window, keeping its 3:2 aspect:
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
    // Gives the frame texture the frame's pixel size at the current content
    // scale (create does; again after the scale changes).
    void sizeFrame();

    // Draws the frame texture into the bound framebuffer of the given size.
    void draw(int drawableWidth, int drawableHeight);
    // Draws it into the default framebuffer of the given size; the GL state
    // (bindings included) is left as it was.
    void drawIntoDefault(int drawableWidth, int drawableHeight);
    // Copies the bound framebuffer's frame (of the frame texture's size) into the frame texture.
    void takeFrame();
    // The RGBA texture drawn, of the frame's pixel size.
    GLuint frameTexture() const { return texture; }

private:
    GLuint texture = 0;
    GLuint program = 0;
};
