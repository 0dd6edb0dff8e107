#include "demo/Tunnel.h"

#include "demo/Piramid.h"
#include "gallery/IsoTerrainModule.h"
#include "geom/Frustum.h"
#include "geom/Plane.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "toolkit/ChunkCuller.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using vell::mat4;
using vell::vec3;
using vell::vec4;

namespace {

// The point of the camera's helix at depth z.
vec3 onHelix(float z)
{
    return vec3(static_cast<float>(0.5 * std::cos(z)), static_cast<float>(0.5 * std::sin(z)), z);
}

} // namespace

Tunnel::Tunnel()
    : shader(vell::Shader::fromFile("IsoTerrainGround.glsl", false)),
      indicatorShader(vell::Shader::fromFile("Tunnelndicator.glsl", false)),
      progress(0),
      cameraStartZ(6.0f),
      cameraEndZ(-25.0f),
      clearColor(0, 0.3f, 0.45f, 0)
{
    for (int j = 0; j < 3; ++j)
        terrainModules[j] = IsoTerrainModule::build(vec3(0, 0, static_cast<float>(10 * j - 20)));

    for (int k = 1; k <= 9; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "indicator%02d.png", k);
        indicatorTextures.emplace_back(vell::Texture2D::fromFile(name, false));
    }
    indicatorPlane = std::make_unique<vell::Plane>(1.0f, 1.0f, 2, 1, 1);

    const int n = static_cast<int>(indicatorTextures.size());
    for (int k = 0; k < n; ++k) {
        const float along = static_cast<float>(k) / static_cast<float>(n) * (cameraEndZ - cameraStartZ);
        float z = static_cast<float>(0.8 * cameraStartZ + 0.8 * along);
        z += 0.5f;
        vell::Log::msg("t:%f", z);
        indicatorPositions.push_back(onHelix(z));
    }
}

Tunnel::~Tunnel() = default;

mat4 Tunnel::getViewMatrix() const
{
    const float c = cameraStartZ + (cameraEndZ - cameraStartZ) * progress;
    return mat4::lookAtMatrix(onHelix(c), vec3(0, 1, 0), onHelix(c - 1));
}

vec4 Tunnel::getFadeInColor(float time) const
{
    return vec4(clearColor.x, clearColor.y, clearColor.z, time < 78 ? 78 - time : 0);
}

void Tunnel::draw()
{
    const float t = vell::Timer::getInstance()->getTime();
    glClearColor(clearColor.x, clearColor.y, clearColor.z, clearColor.w);
    glClear(clearsFrame(t) ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_DEPTH_BUFFER_BIT);

    // Only inside the window the pyramid left in the stencil, while the test is on.
    int rect[4];
    const bool windowed = window && window->takeMarkedRect(rect);
    if (windowed) {
        glEnable(GL_SCISSOR_TEST); // the stencil holds nothing outside it
        glScissor(rect[0], rect[1], rect[2], rect[3]);
    }
    glEnable(GL_DEPTH_TEST);
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);

    const mat4 projection = mat4::perspectiveMatrix(
        60, static_cast<float>(getWindowWidth()) / static_cast<float>(getWindowHeight()), 0.1f, 100);
    const mat4 view = getViewMatrix();

    if (shader) {
        shader->bind();
        shader->set("projectionMatrix", projection);
        shader->set("modelViewMatrix", view);
        shader->set("fadeInColor", getFadeInColor(t));
        // Nearest first: what they hide is left out.
        const vec3 eye = onHelix(cameraStartZ + (cameraEndZ - cameraStartZ) * progress);
        blocks.clear();
        for (const auto& module : terrainModules)
            blocks.push_back(ChunkCuller::Block{module.get(), module->position});
        std::sort(blocks.begin(), blocks.end(), [&eye](const ChunkCuller::Block& a, const ChunkCuller::Block& b) {
            return length(a.position - eye) < length(b.position - eye);
        });
        const int width = static_cast<int>(getPixelWidth()), height = static_cast<int>(getPixelHeight());
        const vell::Frustum seen = windowed ? vell::Frustum(projection * view, rect, width, height)
                                            : vell::Frustum(projection * view);
        culler.draw(blocks, shader.get(), view, projection, seen);
    }

    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (indicatorShader) {
        indicatorShader->bind();
        indicatorShader->set("projectionMatrix", projection);
        for (size_t k = 0; k < indicatorTextures.size(); ++k) {
            if (!indicatorTextures[k])
                continue;
            indicatorTextures[k]->bind();
            indicatorShader->set("tex0", 0);
            const vec3& p = indicatorPositions[k];
            indicatorShader->set("modelViewMatrix", view * mat4::translationMatrix(p.x, p.y, p.z));
            indicatorPlane->render(indicatorShader.get());
        }
    }

    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_SCISSOR_TEST);
}
