#include "gallery/LutDistort.h"

#include "framework/EffectFactory.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "utils/Platform.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <cstdint>

using namespace vell;

REGISTER_EFFECT(LutDistort, 21);

LutDistort::LutDistort()
{
    shader = std::make_unique<Shader>();
    // Loaded from its text, so it never reloads.
    const char* source = osLoadTextFile("lutDistort.glsl");
    if (!source)
        Log::error("LutDistort: cannot read 'lutDistort.glsl', nothing will be drawn");
    else if (!shader->load(source))
        Log::error("LutDistort: invalid code in 'lutDistort.glsl', nothing will be drawn");
    texture0.reset(Texture2D::fromFile("clouds_mirror.png", false));
    texture1.reset(Texture2D::fromFile("stripes.png", false));
    texture2.reset(Texture2D::fromFile("stripes3.png", false));
    texture3.reset(Texture2D::generateChecker());
}

LutDistort::~LutDistort() = default;

void LutDistort::onMouseDown(int x, int y, int touchCount) { mode = (mode + 1) % modeCount; }

void LutDistort::onMouseMove(int x, int y, int touchCount)
{
    crossFade = static_cast<float>(x) / 480;
    Log::msg("%f", crossFade);
}

Texture2D* LutDistort::textureFor(int shaderMode) const
{
    switch (shaderMode) {
    case 1:
        return texture2.get();
    case 2:
        return texture1.get();
    case 8:
        return texture3.get();
    default:
        return texture0.get();
    }
}

void LutDistort::draw()
{
    static const float positions[] = {-1, -1, -1, 1, 1, 1, -1, -1, 1, 1, 1, -1};
    static const float texCoords[] = {0, 0, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0};
    static const uint16_t indices[] = {0, 1, 2, 3, 4, 5};

    glClearColor(0, 1, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDepthMask(GL_FALSE);
    if (shader->isValid()) {
        shader->bind();
        shader->set("time", Timer::getInstance()->getTime());
        shader->set("diffuseTex", 0);
        shader->set("mode", static_cast<float>(mode));
        shader->set("crossFade", crossFade);
        glActiveTexture(GL_TEXTURE0);
        if (Texture2D* picture = textureFor(mode))
            picture->bind();
        const float* arrays[] = {positions, positions, texCoords};
        for (GLuint i = 0; i < 3; ++i) {
            glVertexAttribPointer(i, 2, GL_FLOAT, GL_FALSE, 0, arrays[i]);
            glEnableVertexAttribArray(i);
        }
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, indices);
        // Left enabled, these six-vertex arrays would feed later meshes' draws.
        for (GLuint i = 0; i < 3; ++i)
            glDisableVertexAttribArray(i);
    }
    glDepthMask(GL_TRUE);
}
