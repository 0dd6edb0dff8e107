#include "support/TestQuads.h"

namespace {

GLuint compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint link(const char* fragmentSource)
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER,
                                    "attribute vec2 position;\n"
                                    "varying vec2 uv;\n"
                                    "void main() {\n"
                                    "    uv = position * 0.5 + 0.5;\n"
                                    "    gl_Position = vec4(position, 0.0, 1.0);\n"
                                    "}\n"));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, fragmentSource));
    glBindAttribLocation(program, 0, "position");
    glLinkProgram(program);
    return program;
}

void drawQuad(GLuint program)
{
    static const GLfloat corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    glUseProgram(program);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, corners);
    glEnableVertexAttribArray(0);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableVertexAttribArray(0);
}

} // namespace

void drawFlatColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    static const GLuint program = link("precision mediump float;\n"
                                       "uniform vec4 color;\n"
                                       "void main() { gl_FragColor = color; }\n");
    glUseProgram(program);
    glUniform4f(glGetUniformLocation(program, "color"), r, g, b, a);
    drawQuad(program);
}

void drawBoundTexture()
{
    static const GLuint program = link("precision mediump float;\n"
                                       "uniform sampler2D image;\n"
                                       "varying vec2 uv;\n"
                                       "void main() { gl_FragColor = texture2D(image, uv); }\n");
    drawQuad(program);
}
