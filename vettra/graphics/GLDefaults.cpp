#include "graphics/GLDefaults.h"

#include <GLES2/gl2.h>

#include <initializer_list>

namespace vell {

void GLDefaults::restore()
{
    for (GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_CULL_FACE, GL_SCISSOR_TEST,
                       GL_POLYGON_OFFSET_FILL})
        glDisable(cap);
    glBlendFunc(GL_ONE, GL_ZERO);
    glBlendEquation(GL_FUNC_ADD);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilMask(0xFF);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glPolygonOffset(0, 0);
    glUseProgram(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    GLint attributes = 0;
    glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &attributes);
    for (GLint i = 0; i < attributes; ++i)
        glDisableVertexAttribArray(static_cast<GLuint>(i));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace vell
