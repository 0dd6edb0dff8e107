#include "graphics/OcclusionQueries.h"

#include <EGL/egl.h>
#include <GLES2/gl2ext.h>

#include <cstring>

namespace vell {

namespace {

template <typename Fn> void load(Fn*& fn, const char* name)
{
    fn = reinterpret_cast<Fn*>(eglGetProcAddress(name));
}

bool hasExtension(const char* name)
{
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const size_t length = std::strlen(name);
    for (const char* at = list; at && (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    return false;
}

} // namespace

OcclusionQueries::OcclusionQueries()
{
    // A GL may hand out entry points for extensions it does not have.
    if (!hasExtension("GL_EXT_occlusion_query_boolean"))
        return;
    load(genQueries, "glGenQueriesEXT");
    load(deleteQueries, "glDeleteQueriesEXT");
    load(beginQuery, "glBeginQueryEXT");
    load(getQueryObject, "glGetQueryObjectuivEXT");
    load(endQuery, "glEndQueryEXT");
    if (!genQueries || !deleteQueries || !beginQuery || !getQueryObject)
        endQuery = nullptr;
}

OcclusionQueries::~OcclusionQueries()
{
    if (available() && !ids.empty())
        deleteQueries(static_cast<GLsizei>(ids.size()), ids.data());
}

void OcclusionQueries::begin(size_t i)
{
    if (i >= ids.size()) {
        const size_t had = ids.size();
        ids.resize(i + 1);
        genQueries(static_cast<GLsizei>(ids.size() - had), ids.data() + had);
    }
    beginQuery(GL_ANY_SAMPLES_PASSED_EXT, ids[i]);
}

void OcclusionQueries::end() { endQuery(GL_ANY_SAMPLES_PASSED_EXT); }

bool OcclusionQueries::anyPassed(size_t i)
{
    GLuint passed = GL_TRUE;
    getQueryObject(ids[i], GL_QUERY_RESULT_EXT, &passed);
    return passed != GL_FALSE;
}

} // namespace vell
