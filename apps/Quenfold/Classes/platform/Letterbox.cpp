#include "Letterbox.h"

#include "HostSurface.h"
#include "OverlayState.h"

#include <cstdio>

namespace {

const char* const kVertexSource =
    "attribute vec2 position;\n"
    "varying vec2 uv;\n"
    "void main() {\n"
    "    uv = position * 0.5 + 0.5;\n"
    "    gl_Position = vec4(position, 0.0, 1.0);\n"
    "}\n";

const char* const kFragmentSource =
    "precision mediump float;\n"
    "uniform sampler2D frame;\n"
    "varying vec2 uv;\n"
    "void main() {\n"
    "    gl_FragColor = vec4(texture2D(frame, uv).rgb, 1.0);\n"
    "}\n";

GLuint compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[512];
        glGetShaderInfoLog(shader, sizeof(log), nullptr, log);
        fprintf(stderr, "letterbox shader: %s\n", log);
    }
    return shader;
}

} // namespace

Letterbox::Rect Letterbox::fit(int windowWidth, int windowHeight)
{
    const int w = HostSurface::kWidth, h = HostSurface::kHeight;
    Rect r{};
    if (static_cast<long long>(windowWidth) * h > static_cast<long long>(windowHeight) * w) {
        r.height = windowHeight;
        r.width = windowHeight * w / h;
    } else {
        r.width = windowWidth;
        r.height = windowWidth * h / w;
    }
    r.x = (windowWidth - r.width) / 2;
    r.y = (windowHeight - r.height) / 2;
    return r;
}

bool Letterbox::create()
{
    glGenTextures(1, &texture);
    sizeFrame();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    const GLuint vs = compile(GL_VERTEX_SHADER, kVertexSource);
    const GLuint fs = compile(GL_FRAGMENT_SHADER, kFragmentSource);
    program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glBindAttribLocation(program, 0, "position");
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked && glGetError() == GL_NO_ERROR;
}

void Letterbox::sizeFrame()
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, HostSurface::pixelWidth(), HostSurface::pixelHeight(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
}

void Letterbox::draw(int drawableWidth, int drawableHeight)
{
    static const GLfloat corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    glViewport(0, 0, drawableWidth, drawableHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const Rect r = fit(drawableWidth, drawableHeight);
    glViewport(r.x, r.y, r.width, r.height);
    glUseProgram(program);
    glBindTexture(GL_TEXTURE_2D, texture);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, corners);
    glEnableVertexAttribArray(0);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void Letterbox::drawIntoDefault(int drawableWidth, int drawableHeight)
{
    GLint framebuffer = 0;
    GLfloat clearColour[4] = {};
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    {
        OverlayState saved;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        draw(drawableWidth, drawableHeight);
        glDisableVertexAttribArray(0); // drawing code enables the arrays it draws with
    }
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
}

void Letterbox::takeFrame()
{
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, texture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, HostSurface::pixelWidth(), HostSurface::pixelHeight());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}
