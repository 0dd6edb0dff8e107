#include "geom/Cube.h"

#include "geom/Plane.h"
#include "geom/ShapeUtils.h"

namespace vell {

namespace {

const vec3 faceScales[6] = {vec3(-1, 1, 1), vec3(1, 1, 1),  vec3(1, 1, -1),
                            vec3(1, -1, 1), vec3(1, 1, 1),  vec3(1, -1, -1)};
const vec3 faceNormals[6] = {vec3(-1, 0, 0), vec3(1, 0, 0),  vec3(0, -1, 0),
                             vec3(0, 1, 0),  vec3(0, 0, -1), vec3(0, 0, 1)};

} // namespace

Cube::Cube(float sizeX, float sizeY, float sizeZ, int nx, int ny, int nz, bool positionNormals)
{
    addShapeStreams(*this);
    genCube(sizeX, sizeY, sizeZ, nx, ny, nz, positionNormals);
}

void Cube::genCube(float sizeX, float sizeY, float sizeZ, int nx, int ny, int nz, bool positionNormals)
{
    const long long vertices = 2 * (gridVertices(nx, ny) + gridVertices(nx, nz) + gridVertices(ny, nz));
    if (!checkShapeSize("Cube", {nx, ny, nz}, vertices, *this))
        return;
    const unsigned int indexCount = 12u * (nx * ny + nx * nz + ny * nz);
    const ShapeBuffers out = sizeShape(*this, static_cast<unsigned int>(vertices), indexCount);

    const struct {
        float width, height;
        int nu, nv;
        vec3 offset;
    } planes[3] = {{sizeY, sizeZ, ny, nz, vec3(-sizeX / 2, 0, 0)},
                   {sizeX, sizeZ, nx, nz, vec3(0, -sizeY / 2, 0)},
                   {sizeX, sizeY, nx, ny, vec3(0, 0, -sizeZ / 2)}};

    unsigned int base = 0;
    unsigned int indexPosition = 0;
    for (int axis = 0; axis < 3; ++axis) {
        Plane plane(planes[axis].width, planes[axis].height, axis, planes[axis].nu, planes[axis].nv);
        const float* planePositions = plane.getAttrib("position", VEC3)->getBuffer();
        const float* planeTexCoords = plane.getAttrib("texCoord0", VEC2)->getBuffer();
        const uint16_t* planeIndices = plane.getIndices();
        const unsigned int planeVertices = plane.getNumVertices();
        const unsigned int planeIndexCount = plane.getNumIndices();

        for (int side = 0; side < 2; ++side) {
            const int face = 2 * axis + side;
            for (unsigned int k = 0; k < planeVertices; ++k) {
                const vec3 position = (loadVec3(planePositions, k) + planes[axis].offset) * faceScales[face];
                storeVec3(out.positions, base + k, position);
                storeVec3(out.normals, base + k, positionNormals ? position : faceNormals[face]);
                out.texCoords[2 * (base + k)] = planeTexCoords[2 * k];
                out.texCoords[2 * (base + k) + 1] = planeTexCoords[2 * k + 1];
            }
            for (unsigned int t = 0; t < planeIndexCount; ++t)
                out.indices[indexPosition + t] = static_cast<uint16_t>(planeIndices[t] + base);
            base += planeVertices;
            indexPosition += planeIndexCount;
        }
    }
}

} // namespace vell
