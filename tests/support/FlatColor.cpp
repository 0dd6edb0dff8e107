#include "support/FlatColor.h"

namespace {

GLuint compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint flatProgram()
{
    static GLuint program = 0;
    if (program)
        return program;
    program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER,
                                    "attribute vec2 position;\n"
                                    "void main() { gl_Position = vec4(position, 0.0, 1.0); }\n"));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER,
                                    "precision mediump float;\n"
                                    "uniform vec4 color;\n"
                                    "void main() { gl_FragColor = color; }\n"));
    glBindAttribLocation(program, 0, "position");
    glLinkProgram(program);
    return program;
}

} // namespace

void drawFlatColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    static const GLfloat corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    const GLuint program = flatProgram();
    glUseProgram(program);
    glUniform4f(glGetUniformLocation(program, "color"), r, g, b, a);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, corners);
    glEnableVertexAttribArray(0);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableVertexAttribArray(0);
}
