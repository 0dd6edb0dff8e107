// The logo's glowing-points look against its floor: the same sky sphere, model
// meshes and points drawn with the same shaders and matrices by a minimal GL
// program (buffers uploaded once, uniform locations looked up once, the points in
// one fixed far-to-near order, nothing computed per frame). Both run in turn in
// one process, so they share the machine's load; the ratio is what the effect
// costs above what the renderer needs for the same triangles and points.
#include "HeadlessContext.h"
#include "demo/SorvLogo3.h"
#include "framework/GLApp.h"
#include "geom/Sphere.h"
#include "graphics/Camera.h"
#include "graphics/ShaderSource.h"
#include "toolkit/GeometryGroup.h"
#include "utils/Platform.h"
#include "utils/Timer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

using vell::Geometry;
using vell::mat4;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int rounds = 5;
constexpr int framesPerRound = 10;

struct Array {
    GLuint location;
    GLint size;
    size_t offset;
};

// One mesh in its own vertex and index buffers, bound to one program's attributes.
struct FloorMesh {
    GLuint vertices = 0, indices = 0;
    GLenum mode = GL_TRIANGLES;
    GLsizei count = 0;
    std::vector<Array> arrays;

    void draw() const
    {
        glBindBuffer(GL_ARRAY_BUFFER, vertices);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
        for (const Array& a : arrays) {
            glVertexAttribPointer(a.location, a.size, GL_FLOAT, GL_FALSE, 0, reinterpret_cast<const void*>(a.offset));
            glEnableVertexAttribArray(a.location);
        }
        glDrawElements(mode, count, GL_UNSIGNED_SHORT, nullptr);
    }
};

struct FloorProgram {
    GLuint program = 0;
    std::vector<vell::VertexAttribDeclaration> attribs;
    GLint projection = -1, modelView = -1, time = -1;
};

GLuint compile(GLenum type, const std::string& source)
{
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}

FloorProgram link(const char* file)
{
    FloorProgram p;
    vell::ShaderSource source;
    const char* text = osLoadTextFile(file);
    if (!text || !source.parse(text, file))
        return p;
    p.attribs = source.getAttribs();
    p.program = glCreateProgram();
    glAttachShader(p.program, compile(GL_VERTEX_SHADER, source.getVertexSource()));
    glAttachShader(p.program, compile(GL_FRAGMENT_SHADER, source.getFragmentSource()));
    for (size_t i = 0; i < p.attribs.size(); ++i)
        glBindAttribLocation(p.program, static_cast<GLuint>(i), p.attribs[i].name.c_str());
    glLinkProgram(p.program);
    p.projection = glGetUniformLocation(p.program, "projectionMatrix");
    p.modelView = glGetUniformLocation(p.program, "modelViewMatrix");
    p.time = glGetUniformLocation(p.program, "time");
    return p;
}

FloorMesh upload(Geometry& g, const FloorProgram& p)
{
    FloorMesh m;
    m.mode = static_cast<GLenum>(g.getPrimitiveType());
    m.count = static_cast<GLsizei>(g.getNumIndices());
    std::vector<float> data;
    for (size_t i = 0; i < p.attribs.size(); ++i) {
        const vell::VertexAttrib* stream = g.getAttrib(p.attribs[i].name, p.attribs[i].type);
        m.arrays.push_back({static_cast<GLuint>(i), static_cast<GLint>(stream->getSize()), data.size() * sizeof(float)});
        data.insert(data.end(), stream->getBuffer(), stream->getBuffer() + g.getNumVertices() * stream->getSize());
    }
    glGenBuffers(1, &m.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, m.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &m.indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, m.count * 2, g.getIndices(), GL_STATIC_DRAW);
    return m;
}

void use(const FloorProgram& p, const mat4& projection, const mat4& view, float time)
{
    glUseProgram(p.program);
    glUniformMatrix4fv(p.projection, 1, GL_FALSE, &projection[0][0]);
    glUniformMatrix4fv(p.modelView, 1, GL_FALSE, &view[0][0]);
    if (p.time >= 0)
        glUniform1f(p.time, time);
}

double bestFps(const std::vector<double>& seconds)
{
    return framesPerRound / *std::min_element(seconds.begin(), seconds.end());
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
    const FloorProgram sky = link("SorvLogoSky2.glsl");
    const FloorProgram solid = link("SorvLogo4.glsl");
    const FloorProgram points = link("SorvLogo4Particle.glsl");
    const FloorMesh skyMesh = upload(*logo->skySphere, sky);
    std::vector<FloorMesh> modelMeshes;
    for (const auto& child : logo->model->getChildren())
        modelMeshes.push_back(upload(*child, solid));
    const FloorMesh pointMesh = upload(*logo->particleGeometry, points);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);

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
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        glFinish();
    };
    auto ourFrame = [&] {
        app.draw();
        logo->draw();
        glFinish();
    };
    auto timeRound = [](const auto& frame) {
        const Clock::time_point t0 = Clock::now();
        for (int f = 0; f < framesPerRound; ++f)
            frame();
        return std::chrono::duration<double>(Clock::now() - t0).count();
    };

    std::vector<double> ours, floor;
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(timeRound(ourFrame));
        floor.push_back(timeRound(floorFrame));
    }
    std::printf("logo, glowing points (%u points, %zu model meshes), best of %d rounds of %d frames:\n",
                logo->particleGeometry->getNumIndices(), modelMeshes.size(), rounds, framesPerRound);
    std::printf("  SorvLogo3  %8.1f fps\n  floor      %8.1f fps\n  ratio      %8.2f (floor fps / ours)\n",
                bestFps(ours), bestFps(floor), bestFps(floor) / bestFps(ours));
    return 0;
}
