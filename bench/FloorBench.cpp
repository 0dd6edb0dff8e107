// Gallery effects against their floors: each effect's triangles or points drawn
// with its own shader files by a minimal GL program (vertices and indices in GL
// buffers, uniform locations looked up once, state set directly). Effect and
// floor run in turns in one process, so they share the machine's load; the ratio
// is what the effect costs above what the renderer needs for the same drawing.
// Effect names on the command line pick the effects (all by default).
#include "EffectRun.h"
#include "FloorProgram.h"
#include "FloorRace.h"
#include "HeadlessContext.h"
#include "framework/Effect.h"
#include "framework/GLApp.h"
#include "gallery/IsoTerrain.h"
#include "gallery/IsoTerrainModule.h"
#include "gallery/PointSprites.h"
#include "geom/Geometry.h"
#include "graphics/Texture2D.h"
#include "math/Mat.h"
#include "utils/Timer.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using vell::mat4;
using vell::vec3;

namespace {

constexpr int warmFrames = 10;
constexpr int rounds = 5;
constexpr int framesPerRound = 20;

// The floor's frame for an effect already warmed up; empty when it cannot be built.
using FloorBuilder = std::function<std::function<void()>(GLApp&, Effect&)>;

std::function<void()> pointSpritesFloor(GLApp& app, Effect& effect)
{
    auto& sprites = static_cast<PointSprites&>(effect);
    const FloorProgram p = FloorProgram::link("PointSprites.glsl");
    if (!p.program || !sprites.flareTexture || !sprites.imageA || !sprites.imageB)
        return {};
    const FloorMesh points = FloorMesh::upload(*sprites.particles, p);
    const mat4 projection = mat4::perspectiveMatrix(60, 1.5f, 0.01f, 100);
    const mat4 modelView = mat4::lookAtMatrix(vec3(0, 0, 6.3f), vec3(0, 1, 0), vec3(0, 0, 0)) *
                           mat4::rotationMatrix(vec3(1, 0, 0), sprites.tilt);
    glUseProgram(p.program);
    glUniformMatrix4fv(p.uniform("projectionMatrix"), 1, GL_FALSE, &projection[0][0]);
    glUniformMatrix4fv(p.uniform("modelViewMatrix"), 1, GL_FALSE, &modelView[0][0]);
    for (int unit = 0; unit < 3; ++unit)
        glUniform1i(p.uniform(("tex" + std::to_string(unit)).c_str()), unit);
    glUniform1f(p.uniform("time"), sprites.phase);
    const GLuint textures[3] = {sprites.flareTexture->getTextureObject(), sprites.imageA->getTextureObject(),
                                sprites.imageB->getTextureObject()};
    return [&app, p, points, textures] {
        app.draw();
        for (int unit = 0; unit < 3; ++unit) {
            glActiveTexture(GL_TEXTURE0 + unit);
            glBindTexture(GL_TEXTURE_2D, textures[unit]);
        }
        glActiveTexture(GL_TEXTURE0);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glUseProgram(p.program);
        points.draw();
        glFinish();
    };
}

std::function<void()> isoTerrainFloor(GLApp& app, Effect& effect)
{
    auto& terrain = static_cast<IsoTerrain&>(effect);
    const FloorProgram p = FloorProgram::link("IsoTerrainGround.glsl");
    if (!p.program || !terrain.modules[0])
        return {};
    // Nearest block first, as the effect draws them at the start of its flight.
    std::vector<std::pair<FloorMesh, vec3>> blocks;
    for (int j = 2; j >= 0; --j)
        blocks.emplace_back(FloorMesh::upload(*terrain.modules[j]->getGeometry(), p), terrain.modules[j]->position);
    const mat4 projection = mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
    glUseProgram(p.program);
    glUniformMatrix4fv(p.uniform("projectionMatrix"), 1, GL_FALSE, &projection[0][0]);
    const GLint modelView = p.uniform("modelViewMatrix");
    return [&app, p, blocks, modelView] {
        app.draw();
        // The effect's camera at the clock's current time (the effect's last frame).
        const float t = static_cast<float>(std::fmod(vell::Timer::getInstance()->getTime(), 15.0));
        const float s = 6 - 2 * t, u = 5 - 2 * t;
        const mat4 view = mat4::lookAtMatrix(vec3(0.5f * std::cos(s), 0.5f * std::sin(s), s), vec3(0, 1, 0),
                                             vec3(0.5f * std::cos(u), 0.5f * std::sin(u), u));
        glClearColor(0, 0.3f, 0.45f, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glUseProgram(p.program);
        for (const auto& [mesh, at] : blocks) {
            const mat4 m = view * mat4::translationMatrix(at.x, at.y, at.z);
            glUniformMatrix4fv(modelView, 1, GL_FALSE, &m[0][0]);
            mesh.draw();
        }
        glFinish();
    };
}

struct Floor {
    const char* effect;
    FloorBuilder build;
};

const Floor floors[] = {
    {"PointSprites", pointSpritesFloor},
    {"IsoTerrain", isoTerrainFloor},
};

} // namespace

int main(int argc, char** argv)
{
    HeadlessContext context;
    if (!context.isValid()) {
        std::printf("no headless GL: %s\n", context.errorText().c_str());
        return 1;
    }
    std::printf("%-16s %10s %10s %8s   best of %d rounds of %d frames, in turns\n", "effect", "ours fps", "floor fps",
                "ratio", rounds, framesPerRound);
    for (const Floor& floor : floors) {
        bool chosen = argc < 2;
        for (int a = 1; a < argc; ++a)
            chosen = chosen || std::strcmp(argv[a], floor.effect) == 0;
        const EffectFactory::EffectInfo* info = EffectFactory::getInstance()->find(floor.effect);
        if (!chosen || !info)
            continue;
        GLApp app;
        std::unique_ptr<Effect> effect = EffectRun::start(app, *info);
        for (int f = 0; f < warmFrames; ++f)
            EffectRun::frame(app, *effect);
        const std::function<void()> floorFrame = floor.build(app, *effect);
        if (!floorFrame) {
            std::printf("%-16s no floor: its resources did not load\n", floor.effect);
            continue;
        }
        floorFrame(); // the floor's shaders compiled before timing
        const FloorRace race = FloorRace::run([&] { EffectRun::frame(app, *effect); }, floorFrame, rounds,
                                              framesPerRound);
        std::printf("%-16s %10.1f %10.1f %8.2f\n", floor.effect, race.oursFps, race.floorFps, race.ratio());
    }
    return 0;
}
