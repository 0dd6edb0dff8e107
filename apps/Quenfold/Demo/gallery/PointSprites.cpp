#include "gallery/PointSprites.h"

#include "framework/EffectFactory.h"
#include "geom/Geometry.h"
#include "geom/ShapeUtils.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/Mat.h"
#include "utils/Platform.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdlib>

using namespace vell;

REGISTER_EFFECT(PointSprites, 13);

namespace {

constexpr unsigned int maxParticles = 65536; // 16-bit indices
constexpr const char* photoA = "kingfisher256x256.jpg";
constexpr const char* photoB = "marrowby256x256.jpg";

// Mean of red, green and blue of point (x, y) of a picture made `step` pixels to
// the point, or 0 outside the kept pixels.
int luminance(const Texture2D* image, int x, int y, int step)
{
    x *= step;
    y *= step;
    const unsigned char* pixels = image ? image->getPixels() : nullptr;
    if (!pixels || image->getBpp() < 24 || x >= image->getWidth() || y >= image->getHeight())
        return 0;
    const unsigned char* p = pixels + (static_cast<size_t>(y) * image->getWidth() + x) * (image->getBpp() / 8);
    return static_cast<int>((p[0] + p[1] + p[2]) / 3.0);
}

float randomComponent() { return static_cast<float>(512 - (random() % 1024)) / 512; }

} // namespace

PointSprites::PointSprites()
{
    flareTexture.reset(Texture2D::fromFile("flare.png", true));
    imageA.reset(Texture2D::fromFile(photoA, true));
    imageB.reset(Texture2D::fromFile(photoB, true));
    shader.reset(Shader::fromFile("PointSprites.glsl", false));
    buildParticles();
}

PointSprites::~PointSprites() = default;

void PointSprites::buildParticles()
{
    particles = std::make_unique<Geometry>();
    particles->setPrimitiveType(Geometry::POINTS);
    particles->addAttrib("position", VEC3);
    particles->addAttrib("position2", VEC3);
    particles->addAttrib("position3", VEC3);
    particles->addAttrib("velocity", VEC3);
    particles->addAttrib("texCoord0", VEC2);
    particles->makeStatic(); // built once, drawn every frame
    if (!imageA)
        return;

    // One particle a point of the picture, whatever the scale its file was made for.
    unsigned int stepA = 1;
    unsigned int stepB = 1;
    osScaledResourceName(photoA, &stepA);
    osScaledResourceName(photoB, &stepB);
    const int w = std::max(1, imageA->getWidth() / static_cast<int>(stepA));
    const int h = std::max(1, imageA->getHeight() / static_cast<int>(stepA));
    Log::msg("w:%d h:%d c:%d", w, h, imageA->getBpp() / 8);
    if (!imageA->getPixels())
        Log::error("PointSprites: no pixels of the first picture, the cloud stays flat");
    unsigned int n = static_cast<unsigned int>(w) * static_cast<unsigned int>(h);
    if (n > maxParticles) {
        n = maxParticles - maxParticles % static_cast<unsigned int>(w); // whole rows only
        Log::error("PointSprites: picture of %dx%d cut to its first %u pixels", w, h, n);
    }
    Log::msg("Creating %d particles", static_cast<int>(n));
    particles->setNumVertices(n);
    particles->setNumIndices(n);

    float* position = particles->getAttrib("position", VEC3)->getBuffer();
    float* position2 = particles->getAttrib("position2", VEC3)->getBuffer();
    float* position3 = particles->getAttrib("position3", VEC3)->getBuffer();
    float* velocity = particles->getAttrib("velocity", VEC3)->getBuffer();
    float* texCoord = particles->getAttrib("texCoord0", VEC2)->getBuffer();
    uint16_t* indices = particles->getIndices();
    const float k = 64 / 0.8f; // pixels to world units
    srandom(1); // the library's start-up state: every cloud bursts alike
    for (unsigned int i = 0; i < n; ++i) {
        const int x = static_cast<int>(i % static_cast<unsigned int>(w));
        const int y = static_cast<int>(i / static_cast<unsigned int>(w));
        const float u = static_cast<float>(x) / static_cast<float>(w);
        const float v = static_cast<float>(y) / static_cast<float>(w);
        const float px = (2 * u - 1) * static_cast<float>(w) / k;
        const float py = (1 - 2 * v) * static_cast<float>(h) / k;
        storeVec3(position, i, vec3(px, py, static_cast<float>(luminance(imageA.get(), x, y, static_cast<int>(stepA))) * -0.6f / 256));
        storeVec3(position2, i, vec3(px, py, static_cast<float>(luminance(imageB.get(), x, y, static_cast<int>(stepB))) * 0.6f / 256));
        storeVec3(position3, i, vec3(px, py, 0));
        const float vx = randomComponent();
        const float vy = randomComponent();
        storeVec3(velocity, i, vec3(vx, vy, randomComponent()));
        texCoord[2 * i] = u;
        texCoord[2 * i + 1] = v;
        indices[i] = static_cast<uint16_t>(i);
    }
}

void PointSprites::onMouseDown(int x, int y, int touchCount)
{
    if (touchCount != 1)
        return;
    if (state == 0) {
        phase = restA;
        state = 1;
    } else if (state == 2) {
        phase = restB;
        state = 3;
    }
}

void PointSprites::onMouseMove(int x, int y, int touchCount)
{
    if (touchCount == 2)
        tilt = static_cast<float>((static_cast<double>(y) / 320 - 0.5) * 180);
}

void PointSprites::advancePhase(float dt)
{
    if (state == 1) {
        phase += dt * 5;
        if (phase > 9.42477795f) {
            phase = restB;
            state = 2;
        }
    } else if (state == 3) {
        phase += dt * 5;
        if (phase > 15.70796325f) {
            phase = restA2;
            state = 0;
        }
    }
}

void PointSprites::draw()
{
    advancePhase(Timer::getInstance()->getFrameTime());
    const mat4 projection = mat4::perspectiveMatrix(60, 1.5f, 0.01f, 100);
    const mat4 view = mat4::lookAtMatrix(vec3(0, 0, 6.3f), vec3(0, 1, 0), vec3(0, 0, 0));
    Texture2D* units[] = {flareTexture.get(), imageA.get(), imageB.get()};
    for (int unit = 0; unit < 3; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        if (units[unit])
            units[unit]->bind();
    }
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    if (!shader)
        return;
    shader->bind();
    shader->set("projectionMatrix", projection);
    shader->set("modelViewMatrix", view * mat4::rotationMatrix(vec3(1, 0, 0), tilt));
    shader->set("tex0", 0);
    shader->set("tex1", 1);
    shader->set("tex2", 2);
    shader->set("time", phase);
    shader->set("cursor", cursor);
    shader->set("contentScale", static_cast<float>(getContentScale()));
    particles->render(shader.get());
}
