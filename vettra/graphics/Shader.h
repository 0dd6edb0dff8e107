#pragma once

#include "graphics/VertexAttribDeclaration.h"
#include "math/Mat.h"
#include "math/Vec.h"

#include <GLES2/gl2.h>

#include <string>
#include <vector>

namespace vell {

// A linked GL program built from one ".glsl" resource holding both stages.
// Attribute i of the file is bound to location i.
class Shader {
public:
    // Null when the resource is missing; an invalid shader when it does not build.
    // Either is logged in one line naming the file, once per process.
    static Shader* fromFile(const char* fileName, bool reload);
    // Makes every shader loaded from a file reload periodically, whatever its flag.
    static void setReloadAll(bool enabled);
    // Makes every shader loaded from a file rebuild from it on its next bind.
    static void reloadAllNow() { ++reloadGeneration; }

    Shader() = default;
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // Parses, compiles and links; true when both stages and the program exist.
    bool load(const char* source);
    GLuint compileShader(GLuint& handle, GLenum type, const char* source);
    GLuint compileProgram(GLuint& programHandle, GLuint vertex, GLuint fragment);

    void bind();
    void unbind();
    bool isValid() const { return program != 0; }

    // Uniforms by name, on the current program (bind first).
    void set(const char* name, int value);
    void set(const char* name, float value);
    void set(const char* name, double value);
    void set(const char* name, const vec3& value);
    void set(const char* name, const vec4& value);
    void set(const char* name, const mat3& value);
    void set(const char* name, const mat4& value);

    const std::vector<VertexAttribDeclaration>& getAttribs() const { return attribs; }

private:
    static bool reloadAll;
    static int reloadGeneration;

    bool reloadDue();
    GLint uniformLocation(const char* name) const;

    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint program = 0;
    bool reloadEnabled = false;
    int bindCount = 0;
    int seenGeneration = 0;
    std::string fileName;
    std::vector<VertexAttribDeclaration> attribs;
};

} // namespace vell
