#pragma once

#include "math/Vec.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace vell {

class VertexStream;

// Helpers shared by the generated shapes.

// Streams "position" (vec3), "normal" (vec3), "texCoord0" (vec2), in that order.
void addShapeStreams(VertexStream& stream);

// Vertices of a (a + 1) x (b + 1) grid; factors past the 16-bit range are capped
// so that the product cannot overflow and still reads as too many.
long long gridVertices(long long a, long long b);

// Every segment count must be at least 1 and the vertex total addressable by
// 16-bit indices. Otherwise logs an error naming the shape and empties the stream.
bool checkShapeSize(const char* shape, std::initializer_list<long long> segments, long long vertices,
                    VertexStream& stream);

struct ShapeBuffers {
    float* positions;
    float* normals;
    float* texCoords;
    uint16_t* indices;
};

// Resizes the shape's streams and index list; all indices are reset to 0.
ShapeBuffers sizeShape(VertexStream& stream, unsigned int vertices, unsigned int indices);

// Two triangles per quad of a (rows + 1) x (columns + 1) vertex grid, rows outer:
// (r, c), (r + 1, c), (r + 1, c + 1), then (r, c), (r + 1, c + 1), (r, c + 1).
void writeGridIndices(uint16_t* indices, unsigned int rows, unsigned int columns);

inline void storeVec3(float* buffer, size_t k, const vec3& v)
{
    buffer[3 * k] = v.x;
    buffer[3 * k + 1] = v.y;
    buffer[3 * k + 2] = v.z;
}

inline void storeVec2(float* buffer, size_t k, const vec2& v)
{
    buffer[2 * k] = v.x;
    buffer[2 * k + 1] = v.y;
}

inline vec3 loadVec3(const float* buffer, size_t k)
{
    return vec3(buffer[3 * k], buffer[3 * k + 1], buffer[3 * k + 2]);
}

} // namespace vell
