#include "geom/ShapeUtils.h"

#include "graphics/VertexStream.h"
#include "utils/Utils.h"

#include <algorithm>

namespace vell {

namespace {

const long long maxVertices = 65536;

} // namespace

void addShapeStreams(VertexStream& stream)
{
    stream.addAttrib("position", VEC3);
    stream.addAttrib("normal", VEC3);
    stream.addAttrib("texCoord0", VEC2);
}

long long gridVertices(long long a, long long b)
{
    return std::min(a + 1, maxVertices + 1) * std::min(b + 1, maxVertices + 1);
}

bool checkShapeSize(const char* shape, std::initializer_list<long long> segments, long long vertices,
                    VertexStream& stream)
{
    const bool positive = std::all_of(segments.begin(), segments.end(), [](long long n) { return n >= 1; });
    if (!positive)
        Log::error("%s: segment counts must be at least 1; shape left empty", shape);
    else if (vertices > maxVertices)
        Log::error("%s: %lld vertices exceed the %lld that 16-bit indices address; shape left empty", shape,
                   vertices, maxVertices);
    if (positive && vertices <= maxVertices)
        return true;
    stream.setNumVertices(0);
    stream.setNumIndices(0);
    return false;
}

ShapeBuffers sizeShape(VertexStream& stream, unsigned int vertices, unsigned int indices)
{
    stream.setNumVertices(vertices);
    stream.setNumIndices(0);
    stream.setNumIndices(indices);
    return {stream.getAttrib("position", VEC3)->getBuffer(), stream.getAttrib("normal", VEC3)->getBuffer(),
            stream.getAttrib("texCoord0", VEC2)->getBuffer(), stream.getIndices()};
}

void writeGridIndices(uint16_t* indices, unsigned int rows, unsigned int columns)
{
    const unsigned int w = columns + 1;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned int c = 0; c < columns; ++c) {
            const unsigned int quad[6] = {r * w + c, (r + 1) * w + c, (r + 1) * w + c + 1,
                                          r * w + c, (r + 1) * w + c + 1, r * w + c + 1};
            for (unsigned int q : quad)
                *indices++ = static_cast<uint16_t>(q);
        }
    }
}

} // namespace vell
