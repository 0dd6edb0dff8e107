// The logo's solid-and-points look against its floor: the same sky sphere, model
// meshes and points drawn with the same shaders and matrices by a minimal GL
// program (buffers uploaded once, uniform locations looked up once, nothing
// computed per frame). Both run in turn in
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
#include "utils/Utils.h"

#include <cstdio>
#include <memory>
#include <vector>

using vell::Geometry;
using vell::mat4;

namespace {

constexpr int rounds = 5;
constexpr int framesPerRound = 10;

// A program with the locations of the two matrices the logo's shaders take.
struct LogoProgram {
    explicit LogoProgram(const char* file)
        : p(FloorProgram::link(file)), projection(p.uniform("projectionMatrix")),
          modelView(p.uniform("modelViewMatrix"))
    {
    }
    FloorProgram p;
    GLint projection, modelView;
};

void use(const LogoProgram& p, const mat4& projection, const mat4& view)
{
    glUseProgram(p.p.program);
    glUniformMatrix4fv(p.projection, 1, GL_FALSE, &projection[0][0]);
    glUniformMatrix4fv(p.modelView, 1, GL_FALSE, &view[0][0]);
}

} // namespace

int main()
{
    vell::Log::setOutput(stderr); // the tables own standard output
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
    logo->draw(); // camera set for this view

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
        use(sky, projection, view);
        glDepthMask(GL_FALSE);
        skyMesh.draw();
        glDepthMask(GL_TRUE);
        use(solid, projection, view);
        for (const FloorMesh& m : modelMeshes)
            m.draw();
        use(points, projection, view);
        pointMesh.draw();
        glFinish();
    };
    auto ourFrame = [&] {
        app.draw();
        logo->draw();
        glFinish();
    };
    const FloorRace race = FloorRace::run(ourFrame, floorFrame, rounds, framesPerRound);
    std::printf("logo, solid and points (%u points, %zu model meshes), best of %d rounds of %d frames:\n",
                logo->particleGeometry->getNumIndices(), modelMeshes.size(), rounds, framesPerRound);
    std::printf("  SorvLogo3  %8.1f fps\n  floor      %8.1f fps\n  ratio      %8.2f (floor fps / ours)\n",
                race.oursFps, race.floorFps, race.ratio());
    return 0;
}
