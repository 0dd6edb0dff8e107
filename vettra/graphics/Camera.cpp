#include "graphics/Camera.h"

#include "geom/Geometry.h"
#include "utils/Utils.h"

#include <algorithm>
#include <vector>

namespace vell {

namespace {

bool isIdentity(const mat4& m)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (m[c][r] != (c == r ? 1.0f : 0.0f))
                return false;
    return true;
}

vec3 vertexAt(const float* positions, unsigned int i)
{
    return vec3(positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]);
}

} // namespace

Camera::Camera() : Camera(60.0f, 0.75f, 0.1f, 100.0f) {}

Camera::Camera(float fov_, float aspect_, float near_, float far_)
{
    init(fov_, aspect_, near_, far_, vec3(10, 0, 0), vec3(0, 1, 0), vec3(0, 0, 0));
}

void Camera::init(float fov_, float aspect_, float near_, float far_, const vec3& position_,
                  const vec3& up_, const vec3& target_)
{
    fov = fov_;
    aspect = aspect_;
    near = near_;
    far = far_;
    position = position_;
    up = up_;
    target = target_;
    updateProjectionMatrix();
    updateViewMatrix();
}

void Camera::setFov(float value)
{
    fov = value;
    updateProjectionMatrix();
}

void Camera::setAspectRatio(float value)
{
    aspect = value;
    updateProjectionMatrix();
}

void Camera::setNear(float value)
{
    near = value;
    updateProjectionMatrix();
}

void Camera::setFar(float value)
{
    far = value;
    updateProjectionMatrix();
}

void Camera::setPosition(const vec3& value)
{
    position = value;
    updateViewMatrix();
}

void Camera::setTarget(const vec3& value)
{
    target = value;
    updateViewMatrix();
}

void Camera::setUp(const vec3& value)
{
    up = value;
    updateViewMatrix();
}

void Camera::updateProjectionMatrix()
{
    projectionMatrix = mat4::perspectiveMatrix(fov, aspect, near, far);
}

void Camera::updateViewMatrix()
{
    viewMatrix = mat4::lookAtMatrix(position, up, target);
}

void Camera::sortGeometryPrimitives(Geometry* geometry, const mat4& modelMatrix)
{
    const Geometry::PrimitiveType type = geometry->getPrimitiveType();
    if (type != Geometry::POINTS && type != Geometry::TRIANGLES) {
        Log::error("Camera::sortGeometryPrimitives supports only points sprites right now");
        return;
    }
    const VertexAttrib* attrib = geometry->getAttrib("position", VEC3);
    const float* positions = attrib ? attrib->getBuffer() : nullptr;
    if (!positions) {
        if (geometry->getNumIndices() > 0)
            Log::error("Camera::sortGeometryPrimitives needs vertex positions");
        return;
    }
    if (type == Geometry::POINTS)
        sortPoints(geometry, positions, modelMatrix);
    else
        sortTriangles(geometry, positions, modelMatrix);
}

float Camera::distanceTo(const mat4& modelMatrix, const vec3& point) const
{
    return length(position - modelMatrix * point);
}

// Vertex i goes into record i, whatever index i currently names, so the result
// does not depend on the previous order.
void Camera::sortPoints(Geometry* geometry, const float* positions, const mat4& modelMatrix)
{
    const unsigned int n = geometry->getNumIndices();
    if (n > geometry->getNumVertices()) {
        Log::error("Camera::sortGeometryPrimitives: %u point indices for %u vertices", n,
                   geometry->getNumVertices());
        return;
    }
    order.resize(n);
    if (isIdentity(modelMatrix)) {
        // x·1 + y·0 + z·0 + 0 is x: the same distances without the products.
        for (unsigned int i = 0; i < n; ++i)
            order[i] = {length(position - vertexAt(positions, i)), i};
    } else {
        for (unsigned int i = 0; i < n; ++i)
            order[i] = {distanceTo(modelMatrix, vertexAt(positions, i)), i};
    }
    sortFarthestFirst();

    uint16_t* indices = geometry->getIndices();
    for (unsigned int k = 0; k < n; ++k)
        indices[k] = static_cast<uint16_t>(order[k].record);
}

// Trailing indices that do not make a whole triangle stay where they are.
void Camera::sortTriangles(Geometry* geometry, const float* positions, const mat4& modelMatrix)
{
    const unsigned int numVertices = geometry->getNumVertices();
    const unsigned int count = geometry->getNumIndices() / 3;
    uint16_t* indices = geometry->getIndices();

    order.resize(count);
    for (unsigned int j = 0; j < count; ++j) {
        const uint16_t* corner = indices + 3 * j;
        const uint16_t largest = std::max({corner[0], corner[1], corner[2]});
        if (largest >= numVertices) {
            Log::error("Camera::sortGeometryPrimitives: index %u for %u vertices", largest,
                       numVertices);
            return;
        }
        // The centre is scaled by 0.3 rather than a third.
        const vec3 center = (vertexAt(positions, corner[0]) + vertexAt(positions, corner[1]) +
                             vertexAt(positions, corner[2])) *
                            0.3f;
        order[j] = {distanceTo(modelMatrix, center), j};
    }
    sortFarthestFirst();

    corners.assign(indices, indices + 3 * count);
    for (unsigned int k = 0; k < count; ++k) {
        const uint16_t* corner = corners.data() + 3 * order[k].record;
        indices[3 * k] = corner[0];
        indices[3 * k + 1] = corner[1];
        indices[3 * k + 2] = corner[2];
    }
}

// std::sort with the distance-only comparison: the same permutation, ties
// included, as sorting whole PrimitiveInfo records, on records half their size.
void Camera::sortFarthestFirst()
{
    std::sort(order.begin(), order.end(),
              [](const SortRecord& a, const SortRecord& b) { return a.distance > b.distance; });
}

} // namespace vell
