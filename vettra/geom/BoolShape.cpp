#include "geom/BoolShape.h"

#include "geom/ShapeUtils.h"
#include "utils/Utils.h"

#include <algorithm>

namespace vell {

namespace {

const unsigned int maxVertices = 65536;

} // namespace

BoolShape::BoolShape() { addShapeStreams(*this); }

void BoolShape::add(Geometry* part, mat4 transform)
{
    if (!part || !part->getAttrib("position", VEC3) || !part->getAttrib("normal", VEC3) ||
        !part->getAttrib("texCoord0", VEC2)) {
        Log::error("BoolShape::add needs a part with position, normal and texCoord0 streams");
        return;
    }
    const unsigned int vertexCount = getNumVertices();
    const unsigned int indexCount = getNumIndices();
    const unsigned int partVertices = part->getNumVertices();
    const unsigned int partIndices = part->getNumIndices();
    if (partVertices > maxVertices - vertexCount) {
        Log::error("BoolShape::add: %u + %u vertices exceed the %u that 16-bit indices address", vertexCount,
                   partVertices, maxVertices);
        return;
    }

    setNumVertices(vertexCount + partVertices);
    setNumIndices(indexCount + partIndices);
    // The part's buffers are read only after the resize: the part may be this shape.
    const float* partPositions = part->getAttrib("position", VEC3)->getBuffer();
    const float* partNormals = part->getAttrib("normal", VEC3)->getBuffer();
    const float* partTexCoords = part->getAttrib("texCoord0", VEC2)->getBuffer();
    const uint16_t* partIndexList = part->getIndices();
    float* positions = getAttrib("position", VEC3)->getBuffer();
    float* normals = getAttrib("normal", VEC3)->getBuffer();
    float* texCoords = getAttrib("texCoord0", VEC2)->getBuffer();

    for (unsigned int k = 0; k < partVertices; ++k)
        storeVec3(positions, vertexCount + k, transform * loadVec3(partPositions, k));
    if (partVertices > 0) {
        std::copy(partNormals, partNormals + 3 * partVertices, normals + 3 * vertexCount);
        std::copy(partTexCoords, partTexCoords + 2 * partVertices, texCoords + 2 * vertexCount);
    }
    uint16_t* indexList = getIndices();
    for (unsigned int t = 0; t < partIndices; ++t)
        indexList[indexCount + t] = static_cast<uint16_t>(partIndexList[t] + vertexCount);
    invalidate();
}

} // namespace vell
