#include "graphics/Shader.h"

#include "graphics/GLDebug.h"
#include "graphics/ShaderSource.h"
#include "utils/FileReports.h"
#include "utils/Platform.h"
#include "utils/Utils.h"

#include <cstdio>
#include <vector>

namespace vell {

namespace {

// Reads a shader's or program's build status. On failure prints the driver's log
// as it stands, deletes the object and zeroes its handle.
bool keepIfBuilt(GLuint& object, GLenum status, void (*getParam)(GLuint, GLenum, GLint*),
                 void (*getLog)(GLuint, GLsizei, GLsizei*, GLchar*), void (*destroy)(GLuint))
{
    GLint built = GL_FALSE;
    getParam(object, status, &built);
    if (built)
        return true;
    GLint length = 0;
    getParam(object, GL_INFO_LOG_LENGTH, &length);
    if (length > 1) {
        std::vector<GLchar> text(static_cast<size_t>(length));
        getLog(object, length, nullptr, text.data());
        printf("%s", text.data());
        fflush(stdout);
    }
    destroy(object);
    object = 0;
    return false;
}

} // namespace

bool Shader::reloadAll = false;
int Shader::reloadGeneration = 0;

void Shader::setReloadAll(bool enabled) { reloadAll = enabled; }

Shader* Shader::fromFile(const char* fileName, bool reload)
{
    const char* text = osLoadTextFile(fileName);
    if (!text) {
        if (FileReports::isFirst(fileName))
            Log::error("Shader::fromFile failed to load '%s'", fileName);
        return nullptr;
    }
    Shader* shader = new Shader();
    shader->fileName = fileName;
    shader->reloadEnabled = reload;
    shader->seenGeneration = reloadGeneration;
    if (!shader->load(text) && FileReports::isFirst(fileName))
        Log::error("Shader::fromFile invalid code in '%s'", fileName);
    return shader;
}

Shader::~Shader()
{
    if (program)
        glDeleteProgram(program);
    if (vertexShader)
        glDeleteShader(vertexShader);
    if (fragmentShader)
        glDeleteShader(fragmentShader);
}

bool Shader::load(const char* source)
{
    ShaderSource parsed;
    if (!parsed.parse(source, fileName.empty() ? "<inline source>" : fileName)) {
        // Named here once per file, so fromFile adds no second line for it.
        if (!parsed.getProblem().empty() && (fileName.empty() || FileReports::isFirst(fileName)))
            Log::error("%s", parsed.getProblem().c_str());
        return false;
    }
    attribs = parsed.getAttribs();

    compileShader(vertexShader, GL_VERTEX_SHADER, parsed.getVertexSource().c_str());
    compileShader(fragmentShader, GL_FRAGMENT_SHADER, parsed.getFragmentSource().c_str());
    compileProgram(program, vertexShader, fragmentShader);
    return vertexShader && fragmentShader && program;
}

GLuint Shader::compileShader(GLuint& handle, GLenum type, const char* source)
{
    if (!handle)
        handle = glCreateShader(type);
    if (!handle)
        return 0;
    glShaderSource(handle, 1, &source, nullptr);
    glCompileShader(handle);

    keepIfBuilt(handle, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, glDeleteShader);
    return handle;
}

GLuint Shader::compileProgram(GLuint& programHandle, GLuint vertex, GLuint fragment)
{
    GLDebug::checkErrors("Starting to compile program");
    if (!programHandle) {
        programHandle = glCreateProgram();
        // A stage that failed to compile is left out; the link then fails cleanly.
        if (programHandle && vertex)
            glAttachShader(programHandle, vertex);
        if (programHandle && fragment)
            glAttachShader(programHandle, fragment);
    }
    if (!programHandle)
        return 0;

    // Bound before every link, so a reloaded file with new attributes keeps location i = attribute i.
    for (size_t i = 0; i < attribs.size(); ++i)
        glBindAttribLocation(programHandle, static_cast<GLuint>(i), attribs[i].name.c_str());
    glLinkProgram(programHandle);
    GLDebug::checkErrors("Linking program");

    if (!keepIfBuilt(programHandle, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, glDeleteProgram))
        return 0;
    GLDebug::checkErrors("Compiling program done");
    return programHandle;
}

// Every 12th bind of a reloading shader rebuilds it from its file, and the
// first bind after reloadAllNow().
bool Shader::reloadDue()
{
    if (fileName.empty())
        return false;
    if (seenGeneration != reloadGeneration) {
        seenGeneration = reloadGeneration;
        return true;
    }
    if (!(reloadEnabled || reloadAll))
        return false;
    if (bindCount++ <= 10)
        return false;
    bindCount = 0;
    return true;
}

void Shader::bind()
{
    if (reloadDue()) {
        Log::msg("Reloading %s", fileName.c_str());
        if (const char* text = osLoadTextFile(fileName.c_str())) {
            unbind();
            load(text);
        }
    }
    if (program)
        glUseProgram(program);
}

void Shader::unbind() { glUseProgram(0); }

// -1 when the program lacks the uniform or there is no linked program; the
// setters then make no GL call, so an invalid shader never raises a GL error.
GLint Shader::uniformLocation(const char* name) const
{
    return program ? glGetUniformLocation(program, name) : -1;
}

void Shader::set(const char* name, int value)
{
    if (const GLint location = uniformLocation(name); location >= 0)
        glUniform1i(location, value);
}

void Shader::set(const char* name, float value)
{
    if (const GLint location = uniformLocation(name); location >= 0)
        glUniform1f(location, value);
}

void Shader::set(const char* name, double value) { set(name, static_cast<float>(value)); }

void Shader::set(const char* name, const vec3& value)
{
    if (const GLint location = uniformLocation(name); location >= 0)
        glUniform3fv(location, 1, &value.x);
}

void Shader::set(const char* name, const vec4& value)
{
    if (const GLint location = uniformLocation(name); location >= 0)
        glUniform4fv(location, 1, &value.x);
}

void Shader::set(const char* name, const mat3& value)
{
    if (const GLint location = uniformLocation(name); location >= 0)
        glUniformMatrix3fv(location, 1, GL_FALSE, &value[0][0]);
}

void Shader::set(const char* name, const mat4& value)
{
    if (const GLint location = uniformLocation(name); location >= 0)
        glUniformMatrix4fv(location, 1, GL_FALSE, &value[0][0]);
}

} // namespace vell
