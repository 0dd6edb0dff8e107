// The logo's glowing-points look against its floor: the same sky sphere, model
// meshes and points drawn with the same shaders and matrices by a minimal GL
// program (buffers uploaded once, uniform locations looked up once, the points in
// one fixed far-to-near order, nothing computed per frame). Both run in turn in
// one process, so they share the machine's load; the ratio is what the effect
// costs above what the renderer needs for the same triangles and points.
#include "FloorProgram.h"
#include "FloorRace.h"
#include "HeadlessContext.h"
#include "demo/SorvLogo3.h"
#include "framework/GLApp.h"
#include "geom/Sphere.h"
#include "graphics/Camera.h"
#include "toolkit/GeometryGroup.h"
#include "utils/Timer.h"

#include <cstdio>
#include <memory>
#include <vector>

using vell::Geometry;
using vell::mat4;

namespace {

constexpr int rounds = 5;
constexpr int framesPerRound = 10;

// A program with the locations of the three uniforms the logo's shaders take.
struct LogoProgram {
    explicit LogoProgram(const char* file)
        : p(FloorProgram::link(file)), projection(p.uniform("projectionMatrix")),
          modelView(p.uniform("modelViewMatrix")), time(p.uniform("time"))
    {
    }
    FloorProgram p;
    GLint projection, modelView, time;
};

void use(const LogoProgram& p, const mat4& projection, const mat4& view, float time)
{
    glUseProgram(p.p.program);
    glUniformMatrix4fv(p.projection, 1, GL_FALSE, &projection[0][0]);
    glUniformMatrix4fv(p.modelView, 1, GL_FALSE, &view[0][0]);
    if (p.time >= 0)
        glUniform1f(p.time, time);
}

} // namespace

int main()
{
    HeadlessContext context;
    if (!context.isValid()) {
        std::printf("no headless GL: %s\n", context.errorText().c_str());
        return 1;
    }
    GLApp app;
    app.init();
    auto logo = std::make_unique<SorvLogo3>();
    logo->stage = 2;
    logo->cameraPosition = vell::vec3(-7.3228f, 0, 11);
    logo->cameraTarget = vell::vec3(-4.7368f, 0, 0);
    logo->cameraUp = vell::vec3(1, 0, 0);
    vell::Timer::getInstance()->setTimeShift(179.0f);
    if (!logo->model) {
        std::printf("the logo model did not load\n");
        return 1;
    }
    app.draw();
    logo->draw(); // camera set, points sorted for this view

    const float time = vell::Timer::getInstance()->getTime();
    const mat4 projection = logo->camera->getProjectionMatrix();
    const mat4 view = logo->camera->getViewMatrix();
    const LogoProgram sky("SorvLogoSky2.glsl");
    const LogoProgram solid("SorvLogo4.glsl");
    const LogoProgram points("SorvLogo4Particle.glsl");
    const FloorMesh skyMesh = FloorMesh::upload(*logo->skySphere, sky.p);
    std::vector<FloorMesh> modelMeshes;
    for (const auto& child : logo->model->getChildren())
        modelMeshes.push_back(FloorMesh::upload(*child, solid.p));
    const FloorMesh pointMesh = FloorMesh::upload(*logo->particleGeometry, points.p);

    auto floorFrame = [&] {
        app.draw();
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        use(sky, projection, view, time);
        glDepthMask(GL_FALSE);
        skyMesh.draw();
        glDepthMask(GL_TRUE);
        use(solid, projection, view, time);
        for (const FloorMesh& m : modelMeshes)
            m.draw();
        use(points, projection, view, time);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        pointMesh.draw();
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
        glFinish();
    };
    auto ourFrame = [&] {
        app.draw();
        logo->draw();
        glFinish();
    };
    const FloorRace race = FloorRace::run(ourFrame, floorFrame, rounds, framesPerRound);
    std::printf("logo, glowing points (%u points, %zu model meshes), best of %d rounds of %d frames:\n",
                logo->particleGeometry->getNumIndices(), modelMeshes.size(), rounds, framesPerRound);
    std::printf("  SorvLogo3  %8.1f fps\n  floor      %8.1f fps\n  ratio      %8.2f (floor fps / ours)\n",
                race.oursFps, race.floorFps, race.ratio());
    return 0;
}
