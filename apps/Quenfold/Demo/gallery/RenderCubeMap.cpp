#include "gallery/RenderCubeMap.h"

#include "utils/Platform.h"
#include "utils/Utils.h"

using vell::vec3;

const RenderCubeMap::FaceView RenderCubeMap::faceViews[7] = {
    {vec3(0, 0, 0), vec3(0, -1, 0), vec3(1, 0, 0)},
    {vec3(0, 0, 0), vec3(0, -1, 0), vec3(-1, 0, 0)},
    {vec3(0, 0, 0), vec3(0, 0, 1), vec3(0, 1, 0)},
    {vec3(0, 0, 0), vec3(0, 0, -1), vec3(0, -1, 0)},
    {vec3(0, 0, 0), vec3(0, -1, 0), vec3(0, 0, 1)},
    {vec3(0, 0, 0), vec3(0, -1, 0), vec3(0, 0, -1)},
    {vec3(0, 2, 3), vec3(0, 1, 0), vec3(0, 0, 0)},
};

void RenderCubeMap::createTarget(int size, GLuint* texture, GLuint* framebuffer, GLuint* depthBuffer)
{
    glGenTextures(1, texture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, *texture);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    // Plain ES 2.0 has no BGRA upload format; the faces are empty anyway.
    for (int face = 0; face < faceCount; ++face)
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA, size, size, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);

    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    glGenFramebuffers(1, framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, *framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_CUBE_MAP_POSITIVE_X, *texture, 0);
    glGenRenderbuffers(1, depthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, *depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, size, size);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, *depthBuffer);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
        vell::Log::msg("ExampleRenderToCubeMap::ExampleRenderToCubeMap framebuffer ok");
    else
        vell::Log::msg("ExampleRenderToCubeMap::ExampleRenderToCubeMap framebuffer failed");
    // Not framebuffer 0: the main framebuffer is an object of its own.
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
}

RenderCubeMap::RenderCubeMap() : size(128 * static_cast<int>(osGetContentScale()))
{
    target = GL_TEXTURE_CUBE_MAP;
    width = height = size;
}

RenderCubeMap::~RenderCubeMap()
{
    if (framebuffer)
        glDeleteFramebuffers(1, &framebuffer);
    if (depthBuffer)
        glDeleteRenderbuffers(1, &depthBuffer);
}

void RenderCubeMap::init()
{
    createTarget(size, &textureObject, &framebuffer, &depthBuffer);
}

bool RenderCubeMap::begin(int face)
{
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFramebuffer);
    if (face < 0 || face >= faceCount) {
        vell::Log::error("RenderCubeMap::begin no cube face %d", face);
        return false;
    }
    if (!framebuffer)
        init();
    glViewport(0, 0, size, size);
    const FaceView& view = faceViews[face];
    camera.setPosition(view.eye);
    camera.setUp(view.up);
    camera.setTarget(view.target);
    camera.setFov(120);
    camera.setAspectRatio(1);
    camera.setNear(0.1f);
    camera.setFar(100);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_CUBE_MAP_POSITIVE_X + face,
                           textureObject, 0);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

void RenderCubeMap::end()
{
    glViewport(0, 0, static_cast<GLsizei>(osGetPixelWidth()), static_cast<GLsizei>(osGetPixelHeight()));
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
}
