#pragma once

#include <GLES2/gl2.h>

// Base of an application that renders into the window's main framebuffer:
// one frame per update(), the frame clock advanced first.
class GLApp {
public:
    GLApp() = default;
    GLApp(const GLApp&) = delete;
    GLApp& operator=(const GLApp&) = delete;

    virtual void draw();
    virtual ~GLApp();
    virtual void init();
    virtual void update();
    virtual void onMouseDown(int x, int y, int touchCount) {}
    virtual void onMouseUp(int x, int y, int touchCount) {}
    virtual void onMouseMove(int x, int y, int touchCount) {}

protected:
    GLuint framebuffer = 0;
    GLuint colorRenderbuffer = 0;
    GLuint depthRenderbuffer = 0;
    GLuint stencilRenderbuffer = 0;
    GLint width = 0;
    GLint height = 0;

private:
    void attachDepthStencil();
};
