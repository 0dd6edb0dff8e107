#pragma once

#include "math/Mat.h"

#include <cstdint>
#include <vector>

namespace vell {

class Geometry;

// Sorting record of one point or triangle.
struct PrimitiveInfo {
    PrimitiveInfo(float d, int a, int b, int c) : i0(a), i1(b), i2(c), distance(d) {}

    int i0, i1, i2;
    float distance;
};

// Farthest first.
struct PrimitiveTowardComparator {
    bool operator()(const PrimitiveInfo& a, const PrimitiveInfo& b) const
    {
        return a.distance > b.distance;
    }
};

// Perspective projection plus look-at view. Every setter rebuilds the matrix it
// affects, so both matrices always match the fields.
class Camera {
public:
    Camera();
    Camera(float fov, float aspect, float near, float far);

    void init(float fov, float aspect, float near, float far, const vec3& position,
              const vec3& up, const vec3& target);

    void setFov(float value);
    void setAspectRatio(float value);
    void setNear(float value);
    void setFar(float value);
    void setPosition(const vec3& value);
    void setTarget(const vec3& value);
    void setUp(const vec3& value);

    void updateProjectionMatrix();
    void updateViewMatrix();

    vec3 getPosition() const { return position; }
    mat4 getProjectionMatrix() const { return projectionMatrix; }
    mat4 getViewMatrix() const { return viewMatrix; }

    // Reorders the index list of a point or triangle mesh from far to near as seen
    // from the camera (modelMatrix places the mesh), for back-to-front blending.
    void sortGeometryPrimitives(Geometry* geometry, const mat4& modelMatrix);

    vec3 position;
    vec3 up;     // need not be unit length or orthogonal to the view direction
    vec3 target;
    float fov;   // vertical, degrees
    float aspect;
    float near;
    float far;
    mat4 projectionMatrix;
    mat4 viewMatrix;

private:
    void sortPoints(Geometry* geometry, const float* positions, const mat4& modelMatrix);
    void sortTriangles(Geometry* geometry, const float* positions, const mat4& modelMatrix);
    float distanceTo(const mat4& modelMatrix, const vec3& point) const;
    struct SortRecord {
        float distance;
        uint32_t record; // point or triangle number
    };
    void sortFarthestFirst();

    // Scratch of the sorts, kept so that sorting every frame allocates nothing.
    std::vector<SortRecord> order;
    std::vector<uint16_t> corners;
};

} // namespace vell
