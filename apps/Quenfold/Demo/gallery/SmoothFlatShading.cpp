#include "gallery/SmoothFlatShading.h"

#include "geom/Geometry.h"
#include "geom/ShapeUtils.h"
#include "graphics/Shader.h"
#include "math/Mat.h"
#include "toolkit/GradientBackground.h"
#include "toolkit/Orbit.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

using namespace vell;

Geometry* SmoothFlatShading::unindex(const Geometry& source, FlatNormal rule)
{
    const VertexAttrib* positionStream = source.getAttrib("position", VEC3);
    const VertexAttrib* normalStream = source.getAttrib("normal", VEC3);
    const unsigned int count = source.getNumIndices();
    const uint16_t* indices = source.getIndices();
    if (!positionStream || !normalStream || count > 65536) {
        Log::error("SmoothFlatShading: cannot un-index a mesh of %u indices", count);
        return nullptr;
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (indices[i] >= source.getNumVertices()) {
            Log::error("SmoothFlatShading: index %u names no vertex", static_cast<unsigned int>(indices[i]));
            return nullptr;
        }
    }

    auto* mesh = new Geometry();
    mesh->addAttrib("position", VEC3);
    mesh->addAttrib("normal", VEC3);
    mesh->addAttrib("flatNormal", VEC3);
    mesh->setNumVertices(count);
    mesh->setNumIndices(count);
    float* positions = mesh->getAttrib("position", VEC3)->getBuffer();
    float* normals = mesh->getAttrib("normal", VEC3)->getBuffer();
    float* flatNormals = mesh->getAttrib("flatNormal", VEC3)->getBuffer();
    uint16_t* newIndices = mesh->getIndices();
    for (unsigned int k = 0; k < count; ++k) {
        storeVec3(positions, k, loadVec3(positionStream->getBuffer(), indices[k]));
        storeVec3(normals, k, loadVec3(normalStream->getBuffer(), indices[k]));
        newIndices[k] = static_cast<uint16_t>(k);
    }
    for (unsigned int i = 0; i + 2 < count; i += 3) {
        const vec3 na = loadVec3(normals, i);
        const vec3 flat = rule == AVERAGE ? normalize((na + loadVec3(normals, i + 1) + loadVec3(normals, i + 2)) / 3) : na;
        for (unsigned int k = i; k < i + 3; ++k)
            storeVec3(flatNormals, k, flat);
    }
    return mesh;
}

SmoothFlatShading::SmoothFlatShading(const char* shaderFile, const vec3& c1, const vec3& c2)
    : color1(c1), color2(c2)
{
    shader.reset(Shader::fromFile(shaderFile, false));
    background = std::make_unique<GradientBackground>(color1, color2);
    if (shader) {
        shader->bind();
        shader->set("color1", color1);
        shader->set("color2", color2);
    }
}

SmoothFlatShading::~SmoothFlatShading() = default;

void SmoothFlatShading::draw()
{
    const double t = advanceClock();
    clearWithDepth();
    const mat4 projection = Orbit::windowProjection();
    const mat4 view = Orbit::view(t, 3, 0);
    glDisable(GL_BLEND);
    background->render();
    if (!shader || !geometry)
        return;
    shader->bind();
    shader->set("projectionMatrix", projection);
    shader->set("modelViewMatrix", view * mat4::translationMatrix(0, 0, 0));
    shader->set("color", vec4(1, 1, 1, 1));
    geometry->render(shader.get());
}
