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
#include "gallery/Crystal2.h"
#include "gallery/ExampleRenderToCubeMap.h"
#include "gallery/IsoTerrain.h"
#include "gallery/IsoTerrainModule.h"
#include "gallery/PointSprites.h"
#include "gallery/RenderCubeMap.h"
#include "geom/Torus.h"
#include "geom/FullScreenQuad.h"
#include "geom/Geometry.h"
#include "geom/Sphere.h"
#include "graphics/Camera.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "graphics/TextureCube.h"
#include "math/Mat.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

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
constexpr int rounds = 9;
constexpr int framesPerRound = 10;

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

// Four tori into the six cube faces and onto the screen, then the mirror torus:
// 29 draws of the same mesh with the matrices of the effect's last frame.
std::function<void()> renderToCubeMapFloor(GLApp& app, Effect& effect)
{
    auto& e = static_cast<ExampleRenderToCubeMap&>(effect);
    const FloorProgram scene = FloorProgram::link("ExampleRenderToCubeMapScene.glsl");
    const FloorProgram mirror = FloorProgram::link("ExampleRenderToCubeMapReflection.glsl");
    if (!scene.program || !mirror.program)
        return {};
    const FloorMesh sceneTorus = FloorMesh::upload(*e.torus, scene);
    const FloorMesh mirrorTorus = FloorMesh::upload(*e.torus, mirror);
    GLint screen = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &screen);

    const float t = vell::Timer::getInstance()->getTime();
    const vec3 places[4] = {vec3(-3, 0, 0), vec3(3, 0, 0), vec3(0, 0, -3), vec3(0, 0, 3)};
    const vec3 colors[4] = {vec3(1, 1, 1), vec3(0, 1, 0), vec3(0, 0, 1), vec3(1, 1, 0)};
    struct Pass {
        mat4 projection;
        mat4 modelViews[4];
    };
    std::vector<Pass> passes(RenderCubeMap::faceCount + 1);
    for (int p = 0; p <= RenderCubeMap::faceCount; ++p) {
        const RenderCubeMap::FaceView& v = RenderCubeMap::faceViews[p];
        const mat4 view = mat4::lookAtMatrix(v.eye, v.up, v.target);
        passes[p].projection = p < RenderCubeMap::faceCount ? mat4::perspectiveMatrix(90, 1, 0.1f, 100)
                                                             : mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
        passes[p].modelViews[0] = view * mat4::translationMatrix(-15, 0, 0) *
                                  mat4::rotationMatrix(vec3(1, 0, 0), 90) * mat4::scaleMatrix(15, 15, 15, 1);
        for (int j = 1; j < 4; ++j)
            passes[p].modelViews[j] = view * mat4::translationMatrix(places[j].x, places[j].y, places[j].z) *
                                      mat4::rotationMatrix(vec3(0, 1, 0), 60 * t) *
                                      mat4::rotationMatrix(vec3(1, 0, 0), 30 * static_cast<float>(j) * t);
    }
    const RenderCubeMap::FaceView& eye = RenderCubeMap::faceViews[RenderCubeMap::faceCount];
    const mat4 world = mat4::rotationMatrix(vec3(0, 1, 0), 60 * t) * mat4::rotationMatrix(vec3(1, 0, 0), 30 * t);
    const mat4 mirrorView = mat4::lookAtMatrix(eye.eye, eye.up, eye.target) * world;
    glUseProgram(scene.program);
    glUniform1i(scene.uniform("tex0"), 0);
    glUseProgram(mirror.program);
    glUniformMatrix4fv(mirror.uniform("projectionMatrix"), 1, GL_FALSE, &passes.back().projection[0][0]);
    glUniformMatrix4fv(mirror.uniform("modelViewMatrix"), 1, GL_FALSE, &mirrorView[0][0]);
    glUniformMatrix4fv(mirror.uniform("modelWorldMatrix"), 1, GL_FALSE, &world[0][0]);
    glUniform3f(mirror.uniform("camPos"), eye.eye.x, eye.eye.y, eye.eye.z);
    glUniform1i(mirror.uniform("tex0"), 0);
    const GLint projection = scene.uniform("projectionMatrix"), modelView = scene.uniform("modelViewMatrix"),
                color = scene.uniform("color");
    const GLuint checker = e.checker->getTextureObject();
    const GLuint cube = e.cubeTexture, framebuffer = e.framebuffer;
    const int size = e.targetSize;
    return [&app, scene, mirror, sceneTorus, mirrorTorus, passes, colors, projection, modelView, color, checker,
            cube, framebuffer, screen, size] {
        app.draw();
        glEnable(GL_DEPTH_TEST);
        glActiveTexture(GL_TEXTURE0);
        glUseProgram(scene.program);
        for (int p = 0; p <= RenderCubeMap::faceCount; ++p) {
            if (p < RenderCubeMap::faceCount) {
                glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
                glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_CUBE_MAP_POSITIVE_X + p, cube,
                                       0);
                glViewport(0, 0, size, size);
            } else {
                glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(screen));
                glViewport(0, 0, 480, 320);
            }
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glBindTexture(GL_TEXTURE_2D, checker);
            glUniformMatrix4fv(projection, 1, GL_FALSE, &passes[p].projection[0][0]);
            for (int j = 0; j < 4; ++j) {
                glUniformMatrix4fv(modelView, 1, GL_FALSE, &passes[p].modelViews[j][0][0]);
                glUniform3f(color, colors[j].x, colors[j].y, colors[j].z);
                sceneTorus.draw();
            }
        }
        glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
        glUseProgram(mirror.program);
        mirrorTorus.draw();
        glFinish();
    };
}

// The program behind one of the effect's shaders, its uniforms as the last frame left them.
GLuint programOf(vell::Shader& shader)
{
    shader.bind();
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return static_cast<GLuint>(program);
}

void setCamera(const FloorProgram& p, const vell::Camera& camera)
{
    const mat4 projection = camera.getProjectionMatrix(), view = camera.getViewMatrix();
    const vec3 eye = camera.getPosition();
    glUniformMatrix4fv(p.uniform("projectionMatrix"), 1, GL_FALSE, &projection[0][0]);
    glUniformMatrix4fv(p.uniform("modelViewMatrix"), 1, GL_FALSE, &view[0][0]);
    glUniform3f(p.uniform("camPos"), eye.x, eye.y, eye.z);
}

// Sky and crystal into the six cube faces from the crystal's centre, then sky,
// crystal twice, its edges and the dark corners on the screen, with the uniforms
// and far-to-near facet order of the effect's last frame.
std::function<void()> crystal2Floor(GLApp& app, Effect& effect)
{
    auto& e = static_cast<Crystal2&>(effect);
    if (!e.skyShader || !e.internalShader || !e.refractionShader || !e.edgeShader || !e.skyTexture ||
        !e.darkCornersTexture)
        return {};
    const FloorProgram sky = FloorProgram::link("ExampleTexturingCubeMapping.glsl");
    const FloorProgram internal = FloorProgram::link("Crystal2RefractionLightInternal.glsl");
    const FloorProgram refraction = FloorProgram::link("Crystal2RefractionLight.glsl");
    const FloorProgram edges = FloorProgram::link("Crystal2EdgeShader.glsl");
    const FloorProgram corners = FloorProgram::link("Overlay.glsl");
    sky.copyUniforms(programOf(*e.skyShader));
    internal.copyUniforms(programOf(*e.internalShader));
    refraction.copyUniforms(programOf(*e.refractionShader));
    edges.copyUniforms(programOf(*e.edgeShader));
    vell::FullScreenQuad quad;
    const FloorMesh skyMesh = FloorMesh::upload(*e.skySphere, sky);
    const FloorMesh crystalInside = FloorMesh::upload(*e.crystal, internal);
    const FloorMesh crystalMesh = FloorMesh::upload(*e.crystal, refraction);
    const FloorMesh edgeMesh = FloorMesh::upload(*e.crystalLines, edges);
    const FloorMesh quadMesh = FloorMesh::upload(quad, corners);
    glUseProgram(corners.program);
    glUniform1f(corners.uniform("invertT"), 1);
    glUniform4f(corners.uniform("color"), 1, 1, 1, 1);
    glUniform1i(corners.uniform("tex0"), 0);
    const GLuint skyTexture = e.skyTexture->getTextureObject(), cube = e.cubeMap->getTextureObject(),
                 cornerTexture = e.darkCornersTexture->getTextureObject();
    RenderCubeMap* cubeMap = e.cubeMap.get();
    vell::Camera* camera = e.camera.get();
    return [=, &app] {
        app.draw();
        glEnable(GL_DEPTH_TEST);
        glActiveTexture(GL_TEXTURE0);
        for (int face = 0; face < RenderCubeMap::faceCount; ++face) {
            cubeMap->begin(face);
            glBindTexture(GL_TEXTURE_CUBE_MAP, skyTexture);
            glUseProgram(sky.program);
            setCamera(sky, *cubeMap->getCamera());
            skyMesh.draw();
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDisable(GL_DEPTH_TEST);
            glUseProgram(internal.program);
            setCamera(internal, *cubeMap->getCamera());
            crystalInside.draw();
            glDisable(GL_BLEND);
            glEnable(GL_DEPTH_TEST);
            cubeMap->end();
        }
        glUseProgram(sky.program);
        setCamera(sky, *camera);
        skyMesh.draw();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
        glActiveTexture(GL_TEXTURE0);
        glUseProgram(refraction.program);
        crystalMesh.draw();
        crystalMesh.draw();
        glLineWidth(3);
        glUseProgram(edges.program);
        edgeMesh.draw();
        glLineWidth(1);
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        glBindTexture(GL_TEXTURE_2D, cornerTexture);
        glUseProgram(corners.program);
        quadMesh.draw();
        glDepthMask(GL_TRUE);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
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
    {"Crystal2", crystal2Floor},
    {"ExampleRenderToCubeMap", renderToCubeMapFloor},
};

} // namespace

int main(int argc, char** argv)
{
    vell::Log::setOutput(stderr); // the tables own standard output
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
