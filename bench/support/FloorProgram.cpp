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
