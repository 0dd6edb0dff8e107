#include "FloorProgram.h"

#include "geom/Geometry.h"
#include "graphics/ShaderSource.h"
#include "utils/Platform.h"

#include <cstdio>
#include <string>

namespace {

GLuint compile(GLenum type, const std::string& source)
{
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}

} // namespace

FloorProgram FloorProgram::link(const char* file)
{
    FloorProgram p;
    vell::ShaderSource source;
    const char* text = osLoadTextFile(file);
    if (!text || !source.parse(text, file)) {
        std::printf("floor: no shader %s\n", file);
        return p;
    }
    p.attribs = source.getAttribs();
    p.program = glCreateProgram();
    glAttachShader(p.program, compile(GL_VERTEX_SHADER, source.getVertexSource()));
    glAttachShader(p.program, compile(GL_FRAGMENT_SHADER, source.getFragmentSource()));
    for (size_t i = 0; i < p.attribs.size(); ++i)
        glBindAttribLocation(p.program, static_cast<GLuint>(i), p.attribs[i].name.c_str());
    glLinkProgram(p.program);
    return p;
}

void FloorProgram::copyUniforms(GLuint from) const
{
    GLint count = 0;
    glGetProgramiv(from, GL_ACTIVE_UNIFORMS, &count);
    glUseProgram(program);
    for (GLint i = 0; i < count; ++i) {
        char name[256];
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(from, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        const GLint source = glGetUniformLocation(from, name), target = uniform(name);
        if (source < 0 || target < 0)
            continue;
        GLfloat f[16];
        GLint n = 0;
        switch (type) {
        case GL_FLOAT: glGetUniformfv(from, source, f); glUniform1f(target, f[0]); break;
        case GL_FLOAT_VEC2: glGetUniformfv(from, source, f); glUniform2fv(target, 1, f); break;
        case GL_FLOAT_VEC3: glGetUniformfv(from, source, f); glUniform3fv(target, 1, f); break;
        case GL_FLOAT_VEC4: glGetUniformfv(from, source, f); glUniform4fv(target, 1, f); break;
        case GL_FLOAT_MAT3: glGetUniformfv(from, source, f); glUniformMatrix3fv(target, 1, GL_FALSE, f); break;
        case GL_FLOAT_MAT4: glGetUniformfv(from, source, f); glUniformMatrix4fv(target, 1, GL_FALSE, f); break;
        case GL_INT:
        case GL_SAMPLER_2D:
        case GL_SAMPLER_CUBE: glGetUniformiv(from, source, &n); glUniform1i(target, n); break;
        default: break;
        }
    }
}

FloorMesh FloorMesh::upload(vell::Geometry& g, const FloorProgram& p)
{
    FloorMesh m;
    m.mode = static_cast<GLenum>(g.getPrimitiveType());
    m.count = static_cast<GLsizei>(g.getNumIndices());
    std::vector<float> data;
    for (size_t i = 0; i < p.attribs.size(); ++i) {
        const vell::VertexAttrib* stream = g.getAttrib(p.attribs[i].name, p.attribs[i].type);
        if (!stream || !stream->getBuffer())
            continue;
        m.arrays.push_back({static_cast<GLuint>(i), static_cast<GLint>(stream->getSize()), data.size() * sizeof(float)});
        data.insert(data.end(), stream->getBuffer(), stream->getBuffer() + g.getNumVertices() * stream->getSize());
    }
    glGenBuffers(1, &m.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, m.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &m.indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, m.count * 2, g.getIndices(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return m;
}

void FloorMesh::draw() const
{
    glBindBuffer(GL_ARRAY_BUFFER, vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
    for (const Array& a : arrays) {
        glVertexAttribPointer(a.location, a.size, GL_FLOAT, GL_FALSE, 0, reinterpret_cast<const void*>(a.offset));
        glEnableVertexAttribArray(a.location);
    }
    glDrawElements(mode, count, GL_UNSIGNED_SHORT, nullptr);
    for (const Array& a : arrays)
        glDisableVertexAttribArray(a.location);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}
