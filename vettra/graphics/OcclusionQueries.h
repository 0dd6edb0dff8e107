#pragma once

#include <GLES2/gl2.h>

#include <cstddef>
#include <vector>

namespace vell {

// Boolean occlusion queries where the GL offers them (GL_EXT_occlusion_query_boolean):
// whether any sample drawn between begin and end passed the depth and stencil tests.
// Made with a current context; without the extension available() is false.
class OcclusionQueries {
public:
    OcclusionQueries();
    ~OcclusionQueries();
    OcclusionQueries(const OcclusionQueries&) = delete;
    OcclusionQueries& operator=(const OcclusionQueries&) = delete;

    bool available() const { return endQuery != nullptr; }
    // Query i counts what is drawn until end(); the pool grows to hold it.
    void begin(size_t i);
    void end();
    // The answer of query i, once the GL has drawn what it counted.
    bool anyPassed(size_t i);

private:
    void (*genQueries)(GLsizei, GLuint*) = nullptr;
    void (*deleteQueries)(GLsizei, const GLuint*) = nullptr;
    void (*beginQuery)(GLenum, GLuint) = nullptr;
    void (*endQuery)(GLenum) = nullptr;
    void (*getQueryObject)(GLuint, GLenum, GLuint*) = nullptr;
    std::vector<GLuint> ids;
};

} // namespace vell
