#pragma once

#include "graphics/VertexAttribDeclaration.h"

#include <GLES2/gl2.h>

#include <vector>

namespace vell {
class Geometry;
}

// A program of a floor: one of the effects' own shader files compiled and linked
// by plain GL calls, attribute i at location i as the library binds them.
struct FloorProgram {
    GLuint program = 0;
    std::vector<vell::VertexAttribDeclaration> attribs;

    // Null program (and a message) when the file does not load.
    static FloorProgram link(const char* file);
    GLint uniform(const char* name) const { return glGetUniformLocation(program, name); }
    // Every uniform this program shares by name with the program `from` takes the
    // value it has there (floats, vectors, matrices, ints and samplers).
    void copyUniforms(GLuint from) const;
};

// One mesh of a floor in its own vertex and index buffers, bound to one program's
// attributes: what a minimal GL program draws for the same vertices and indices.
struct FloorMesh {
    struct Array {
        GLuint location;
        GLint size;
        size_t offset;
    };

    GLuint vertices = 0, indices = 0;
    GLenum mode = GL_TRIANGLES;
    GLsizei count = 0;
    std::vector<Array> arrays;

    // The geometry's streams the program reads and its current index list.
    static FloorMesh upload(vell::Geometry& geometry, const FloorProgram& program);
    void draw() const;
};
