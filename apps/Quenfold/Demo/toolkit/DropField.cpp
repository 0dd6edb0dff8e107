#include "toolkit/DropField.h"

#include "graphics/Shader.h"
#include "math/Mat.h"
#include "math/Random.h"
#include "toolkit/GeometryBuilder.h"
#include "utils/Platform.h"

#include <cmath>
#include <cstring>

using namespace vell;

namespace {

constexpr double pi = 3.14159265358979323846;

// (size cos phase, 0, size sin phase): the turning half-base of a triangle.
vec3 halfBase(float size, float phase)
{
    return vec3(static_cast<float>(size * std::cos(static_cast<double>(phase))), 0.0f,
                static_cast<float>(size * std::sin(static_cast<double>(phase))));
}

// Half-base turning in the xz plane, apex size above the position.
void turningCorners(const DropField::Raindrop& drop, float size, vec3 corners[3])
{
    const vec3 a = halfBase(size, drop.phase);
    corners[0] = drop.position + a;
    corners[1] = drop.position - a;
    corners[2] = drop.position + vec3(0, size, 0);
}

// Half-base (-size cos phase, -size sin phase, 0) in the xy plane, apex 0.3 size above.
void uprightCorners(const DropField::Raindrop& drop, float size, vec3 corners[3])
{
    const vec3 turned = halfBase(size, drop.phase);
    const vec3 a(-turned.x, -turned.z, 0);
    corners[0] = drop.position + a;
    corners[1] = drop.position - a;
    corners[2] = drop.position + vec3(0, size * 0.3f, 0);
}

uint32_t bitsOf(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

void store(const vec3& v, float* out)
{
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

} // namespace

DropField::DropField(float size, float wobble) : triangleSize(size), wobbleRadius(wobble) {}

vec3 DropField::randomPoint(const vec3& scale, const vec3& offset)
{
    const float x = randomFloat() * scale.x + offset.x;
    const float y = randomFloat() * scale.y + offset.y;
    const float z = randomFloat() * scale.z + offset.z;
    return vec3(x, y, z);
}

void DropField::generate(int count, int seed, const std::function<vec3()>& startPosition)
{
    build(count, seed, startPosition, true, turningCorners, Geometry::TRIANGLES);
}

void DropField::generateStill(int count, int seed, const std::function<vec3()>& startPosition)
{
    build(count, seed, startPosition, false, uprightCorners, Geometry::LINES);
}

void DropField::build(int count, int seed, const std::function<vec3()>& startPosition, bool spins,
                      Corners corners, Geometry::PrimitiveType type)
{
    GeometryBuilder builder;
    raindrops.clear();
    randomSeed(seed);
    for (int i = 0, k = 0; i < count; ++i, k += 3) {
        Raindrop drop;
        drop.position = startPosition();
        drop.phase = static_cast<float>(randomFloat() * pi);
        if (spins) {
            const float r = randomFloat();
            drop.spin = r + r;
        }
        vec3 corner[3];
        corners(drop, triangleSize, corner);
        for (const vec3& c : corner)
            builder.add("position", c);
        if (type == Geometry::TRIANGLES)
            builder.addTriangle(k, k + 1, k + 2);
        builder.addEdge(k, k + 1);
        builder.addEdge(k + 1, k + 2);
        builder.addEdge(k, k + 2);
        raindrops.push_back(drop);
    }
    geometry.reset(builder.build(type));
    turns.assign(raindrops.size(), Turn());
}

void DropField::render(Shader* shader, const vec3& eye, const vec3& target, const vec4& color, Passes passes,
                       float far) const
{
    if (!shader || !geometry)
        return;
    const float aspect = static_cast<float>(osGetWindowWidth()) / static_cast<float>(osGetWindowHeight());
    shader->bind();
    shader->set("projectionMatrix", mat4::perspectiveMatrix(60, aspect, 0.1f, far));
    shader->set("modelViewMatrix", mat4::lookAtMatrix(eye, vec3(0, 1, 0), target) * mat4::translationMatrix(0, 0, 0));
    shader->set("color", color);
    if (passes & OUTLINES)
        geometry->renderEdges(shader);
    if (passes & FILLED)
        geometry->render(shader);
}

void DropField::fall(Raindrop& drop, float distance, float bottom, float top)
{
    drop.position.y -= distance;
    if (drop.position.y < bottom)
        drop.position.y += top - bottom;
}

float* DropField::positions() const
{
    VertexAttrib* stream = geometry ? geometry->getAttrib("position", VEC3) : nullptr;
    return stream ? stream->getBuffer() : nullptr;
}

void DropField::pose(size_t i, float* vertices)
{
    const Raindrop& drop = raindrops[i];
    Turn& turn = turns[i];
    const uint32_t spin = bitsOf(drop.spin);
    const uint32_t height = bitsOf(drop.position.y);
    if (!turn.rollKnown || turn.spinBits != spin) {
        turn.roll = mat4::rotationMatrix(vec3(0, 0, 1), drop.spin * 45);
        turn.apex = turn.roll * vec3(0, triangleSize, 0);
        turn.rollKnown = true;
        turn.wobbleKnown = false;
        turn.spinBits = spin;
    }
    if (!turn.wobbleKnown || turn.heightBits != height) {
        const double wobblePhase = 3 * drop.position.y + drop.spin;
        turn.wobble = vec3(static_cast<float>(wobbleRadius * std::cos(wobblePhase)), 0.0f,
                           static_cast<float>(wobbleRadius * std::sin(wobblePhase)));
        turn.wobbleKnown = true;
        turn.heightBits = height;
    }
    const vec3 a = turn.roll * halfBase(triangleSize, drop.phase);
    const vec3& w = turn.wobble;
    store(drop.position + a + w, vertices);
    store(drop.position - a + w, vertices + 3);
    store(drop.position + turn.apex + w, vertices + 6);
}
