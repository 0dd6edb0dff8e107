#include "gallery/Crystal2.h"

#include "framework/EffectFactory.h"
#include "gallery/RenderCubeMap.h"
#include "geom/Geometry.h"
#include "geom/ShapeUtils.h"
#include "geom/Sphere.h"
#include "graphics/Camera.h"
#include "graphics/Overlay.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "graphics/TextureCube.h"
#include "toolkit/GeometryBuilder.h"
#include "toolkit/Orbit.h"
#include "utils/Platform.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <cmath>
#include <cstdlib>

using namespace vell;

REGISTER_EFFECT(Crystal2, 10);

namespace {

const float crystalHeights[] = {-1, -0.4f, 0, 0.4f, 0.7f, 0.85f};
const float crystalRadii[] = {0, 0.6f, 0.8f, 0.8f, 0.4f, 0};
constexpr int crystalSegments = 7;
constexpr int crystalRows = 5;

// Visits every facet triangle (a, b, c) and its texture coordinates, in build
// order; false when the crystal would not fit 16-bit indices.
template <typename Visit>
bool forEachFacet(int n, int rows, const float* heights, const float* radii, Visit visit)
{
    if (n < 1 || rows < 1 || static_cast<long long>(n) * rows * 6 > 65536) {
        Log::error("Crystal2: no crystal of %d segments and %d rows", n, rows);
        return false;
    }
    for (int r = 0; r < rows; ++r) {
        for (int i = 0; i < n; ++i) {
            const vec3 a = Crystal2::gridPoint(r, i, n, heights, radii);
            const vec3 b = Crystal2::gridPoint(r, i + 1, n, heights, radii);
            const vec3 c = Crystal2::gridPoint(r + 1, i + 1, n, heights, radii);
            const vec3 d = Crystal2::gridPoint(r + 1, i, n, heights, radii);
            const float u0 = static_cast<float>(i) / n, u1 = static_cast<float>(i + 1) / n;
            const float v0 = static_cast<float>(r) / rows, v1 = static_cast<float>(r + 1) / rows;
            visit(a, b, c, vec2(u0, v0), vec2(u1, v0), vec2(u1, v1));
            visit(a, c, d, vec2(u0, v0), vec2(u1, v1), vec2(u0, v1));
        }
    }
    return true;
}

template <typename AddPrimitive>
Geometry* buildCrystal(int n, int rows, const float* heights, const float* radii, bool withTexCoords,
                       Geometry::PrimitiveType type, AddPrimitive addPrimitive)
{
    GeometryBuilder builder;
    int k = 0;
    forEachFacet(n, rows, heights, radii, [&](const vec3& a, const vec3& b, const vec3& c, const vec2& ta,
                                              const vec2& tb, const vec2& tc) {
        const vec3 normal = normalize(cross(b - a, c - a));
        for (const vec3& p : {a, b, c})
            builder.add("position", p);
        for (int i = 0; i < 3; ++i)
            builder.add("normal", normal);
        if (withTexCoords) {
            for (const vec2& t : {ta, tb, tc})
                builder.add("texCoord0", t);
        }
        addPrimitive(builder, k);
        k += 3;
    });
    return builder.build(type);
}

} // namespace

vec3 Crystal2::gridPoint(int r, int j, int n, const float* heights, const float* radii)
{
    const double pi2 = 2 * 3.14159265358979323846;
    const double theta = pi2 * static_cast<float>(j % n) / static_cast<float>(n) + pi2 * (0.5 - 0.5 * r) / n;
    return vec3(static_cast<float>(radii[r] * std::cos(theta)), heights[r], static_cast<float>(radii[r] * std::sin(theta)));
}

Geometry* Crystal2::genCrystal(int segments, int rows, const float* heights, const float* radii)
{
    return buildCrystal(segments, rows, heights, radii, true, Geometry::TRIANGLES,
                        [](GeometryBuilder& b, int k) { b.addTriangle(k, k + 1, k + 2); });
}

Geometry* Crystal2::genCrystalLines(int segments, int rows, const float* heights, const float* radii)
{
    return buildCrystal(segments, rows, heights, radii, false, Geometry::LINES, [](GeometryBuilder& b, int k) {
        b.addLine(k, k + 1);
        b.addLine(k, k + 2);
        b.addLine(k + 1, k + 2);
    });
}

Crystal2::Crystal2()
{
    crystal.reset(genCrystal(crystalSegments, crystalRows, crystalHeights, crystalRadii));
    crystalLines.reset(genCrystalLines(crystalSegments, crystalRows, crystalHeights, crystalRadii));
    addCrystalStreams();
    crystal->makeStatic(); // only its indices change, sorted every frame
    crystalLines->makeStatic();
    skyShader.reset(Shader::fromFile("ExampleTexturingCubeMapping.glsl", false));
    skyTexture.reset(TextureCube::fromFile("blurred_light", "png"));
    skySphere = std::make_unique<Sphere>(10.0f, 36, 36);
    skySphere->makeStatic();
    cubeMap = std::make_unique<RenderCubeMap>();
    camera = std::make_unique<Camera>(45.0f, static_cast<float>(getWindowWidth()) / getWindowHeight(), 0.1f, 100.0f);
    referencePoint = vec3(12, 48, 12);
    refractionShader.reset(Shader::fromFile("Crystal2RefractionLight.glsl", false));
    internalShader.reset(Shader::fromFile("Crystal2RefractionLightInternal.glsl", false));
    edgeShader.reset(Shader::fromFile("Crystal2EdgeShader.glsl", false));
    darkCornersTexture.reset(Texture2D::fromFile("DarkCornersOverlay.png", false));
    overlay = std::make_unique<Overlay>();
}

Crystal2::~Crystal2() = default;

// Per triangle one random "blink" phase stepping down by 0.1 over its corners,
// and "snormal": each vertex's position, the direction out from the axis.
void Crystal2::addCrystalStreams()
{
    crystal->addAttrib("blink", FLOAT);
    crystal->addAttrib("snormal", VEC3);
    const unsigned int count = crystal->getNumVertices();
    float* blink = crystal->getAttrib("blink", FLOAT)->getBuffer();
    float* snormal = crystal->getAttrib("snormal", VEC3)->getBuffer();
    const float* positions = crystal->getAttrib("position", VEC3)->getBuffer();
    srandom(1); // the library's start-up state: every crystal sparkles alike
    for (unsigned int k = 0; k + 2 < count; k += 3) {
        const float b = static_cast<float>(random() % 1024) / 1024;
        blink[k] = b;
        blink[k + 1] = static_cast<float>(b - 0.1);
        blink[k + 2] = static_cast<float>(b - 0.2);
        for (unsigned int v = k; v < k + 3; ++v)
            storeVec3(snormal, v, loadVec3(positions, v));
    }
    Log::msg("Vert %d", static_cast<int>(count));
}

void Crystal2::onMouseMove(int x, int y, int touchCount)
{
    cameraHeight = static_cast<float>((0.5 - y / static_cast<double>(static_cast<float>(osGetWindowHeight()))) * 10);
    Log::msg("y:%f", referencePoint.y);
}

void Crystal2::draw()
{
    advanceClock();
    clearWithDepth();
    renderCubeMapScene();
    renderRefractScene();
}

void Crystal2::renderCubeMapScene()
{
    for (int face = 0; face < RenderCubeMap::faceCount; ++face) {
        if (cubeMap->begin(face))
            render(cubeMap->getCamera());
        cubeMap->end();
    }
}

void Crystal2::drawSky(Camera* view)
{
    if (!skyShader || !skyTexture)
        return;
    glActiveTexture(GL_TEXTURE0);
    skyTexture->bind();
    skyShader->bind();
    skyShader->set("projectionMatrix", view->getProjectionMatrix());
    skyShader->set("modelViewMatrix", view->getViewMatrix());
    skyShader->set("modelWorldMatrix", mat4::identityMatrix());
    skyShader->set("tex0", 0);
    skyShader->set("tex1", 1); // its 2D sampler must not share the cube map's unit
    skyShader->set("camPos", view->getPosition());
    skyShader->set("skyBox", 1.0);
    skyShader->set("scale", 1.0);
    skySphere->render(skyShader.get());
}

namespace {

// The uniforms both crystal shaders share; the model sits at the origin unturned.
void setCrystalUniforms(Shader& s, const Camera& view, const vec4 (&colors)[4])
{
    const mat4 world = mat4::rotationMatrix(vec3(0, 1, 0), 0);
    const mat4 modelView = view.getViewMatrix() * world;
    s.set("projectionMatrix", view.getProjectionMatrix());
    s.set("modelWorldMatrix", world);
    s.set("modelViewMatrix", modelView);
    s.set("normalMatrix", mat3(modelView));
    s.set("ambientColor", colors[0]);
    s.set("diffuseColor", colors[1]);
    s.set("diffuseColor2", colors[2]);
    s.set("specularColor", colors[3]);
    s.set("camPos", view.getPosition());
}

} // namespace

void Crystal2::render(Camera* faceCamera)
{
    faceCamera->setFov(120);
    drawSky(faceCamera);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    if (internalShader) {
        Shader& s = *internalShader;
        s.bind();
        setCrystalUniforms(s, *faceCamera,
                           {vec4(0.3f, 0.3f, 0.3f, 0.8f), vec4(0.8f, 0.2f, 0.6f, 0.5f), vec4(0.2f, 0.5f, 0.9f, 0.8f),
                            vec4(1, 1, 1, 0.8f)});
        s.set("envMap", 0);
        s.set("internalReflectionMap", 0);
        crystal->render(&s);
    }
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void Crystal2::renderRefractScene()
{
    const double t = Timer::getInstance()->getTime();
    camera->setPosition(Orbit::point(t, 2, cameraHeight));
    camera->setFov(70);
    drawSky(camera.get());

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
    if (skyTexture)
        skyTexture->bind();
    glActiveTexture(GL_TEXTURE1);
    cubeMap->bind();
    glActiveTexture(GL_TEXTURE0);

    if (refractionShader) {
        Shader& s = *refractionShader;
        s.bind();
        setCrystalUniforms(s, *camera,
                           {vec4(0.05f, 0.1f, 0.2f, 0.9f), vec4(0.1f, 0.2f, 0.3f, 0.7f), vec4(0.79f, 0.89f, 0.99f, 0.95f),
                            vec4(1, 1, 1, 0.5f)});
        s.set("envMap", 0);
        s.set("time", static_cast<float>(t * 4));
        s.set("internalMix", 1.0);
        s.set("internalReflectionMap", 1);
        glCullFace(GL_FRONT);
        const mat4 world = mat4::rotationMatrix(vec3(0, 1, 0), 0);
        camera->sortGeometryPrimitives(crystal.get(), world);
        crystal->render(&s);
        s.set("modelWorldMatrix", world * mat4::translationMatrix(0, 0, 0));
        s.set("modelViewMatrix", camera->getViewMatrix() * world * mat4::translationMatrix(0, 0, 0));
        crystal->render(&s);
    }

    if (edgeShader) {
        const float lineWidth = static_cast<float>(getContentScale()); // one point
        glLineWidth(3 * lineWidth);
        edgeShader->bind();
        edgeShader->set("projectionMatrix", camera->getProjectionMatrix());
        edgeShader->set("modelViewMatrix", camera->getViewMatrix());
        edgeShader->set("color", vec4(0, 0, 0, 0.1f));
        crystalLines->render(edgeShader.get());
        glLineWidth(lineWidth);
    }
    if (darkCornersTexture)
        overlay->render(darkCornersTexture.get(), false);

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_BLEND);
}
