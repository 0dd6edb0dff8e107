#include "toolkit/GeometryBuilder.h"

#include <algorithm>

using vell::Geometry;
using vell::vec2;
using vell::vec3;

namespace {

// Copies up to `count` vectors of `values` into the named stream, which is
// created when the list is not empty.
template <typename Vector>
void fillStream(Geometry& geometry, const char* name, vell::DataType type, const std::vector<Vector>& values,
                size_t count)
{
    if (values.empty())
        return;
    const size_t components = sizeof(Vector) / sizeof(float);
    float* out = geometry.getAttrib(name, type)->getBuffer();
    const size_t n = std::min(count, values.size());
    for (size_t i = 0; i < n; ++i) {
        for (size_t c = 0; c < components; ++c)
            out[i * components + c] = values[i][static_cast<unsigned int>(c)];
    }
    // Entries past the list are set to 0 even when the stream held older data.
    std::fill(out + n * components, out + count * components, 0.0f);
}

} // namespace

void GeometryBuilder::add(const std::string& name, const vec3& v)
{
    if (name == "position")
        positions.push_back(v);
    else if (name == "normal")
        normals.push_back(v);
    else if (name == "normal2")
        normals2.push_back(v);
}

void GeometryBuilder::add(const std::string& name, const vec2& v)
{
    if (name == "texCoord0")
        texCoords.push_back(v);
}

void GeometryBuilder::addVertex(const vec3& position, const vec3& normal, const vec2& texCoord)
{
    positions.push_back(position);
    normals.push_back(normal);
    texCoords.push_back(texCoord);
}

void GeometryBuilder::reserve(size_t vertices, size_t indexCount)
{
    positions.reserve(vertices);
    normals.reserve(vertices);
    texCoords.reserve(vertices);
    indices.reserve(indexCount);
}

void GeometryBuilder::addPoint(int a) { indices.push_back(static_cast<uint16_t>(a)); }

void GeometryBuilder::addLine(int a, int b)
{
    addPoint(a);
    addPoint(b);
}

void GeometryBuilder::addTriangle(int a, int b, int c)
{
    addPoint(a);
    addPoint(b);
    addPoint(c);
}

void GeometryBuilder::addEdge(int a, int b)
{
    edges.push_back(static_cast<uint16_t>(a));
    edges.push_back(static_cast<uint16_t>(b));
}

void GeometryBuilder::addQuad(int first)
{
    addTriangle(first, first + 1, first + 2);
    addTriangle(first, first + 2, first + 3);
    for (int i = 0; i < 4; ++i)
        addEdge(first + i, first + (i + 1) % 4);
}

void GeometryBuilder::reset()
{
    positions.clear();
    normals.clear();
    normals2.clear();
    texCoords.clear();
    indices.clear();
    edges.clear();
}

Geometry* GeometryBuilder::build(Geometry::PrimitiveType type, Geometry* geometry) const
{
    if (!geometry)
        geometry = new Geometry();
    geometry->setPrimitiveType(type);

    geometry->addAttrib("position", vell::VEC3);
    if (!normals.empty())
        geometry->addAttrib("normal", vell::VEC3);
    if (!normals2.empty())
        geometry->addAttrib("normal2", vell::VEC3);
    if (!texCoords.empty())
        geometry->addAttrib("texCoord0", vell::VEC2);

    const size_t count = positions.size();
    geometry->setNumVertices(static_cast<unsigned int>(count));
    geometry->setNumIndices(static_cast<unsigned int>(indices.size()));
    geometry->setNumEdgeIndices(static_cast<unsigned int>(edges.size()));

    fillStream(*geometry, "position", vell::VEC3, positions, count);
    fillStream(*geometry, "normal", vell::VEC3, normals, count);
    fillStream(*geometry, "normal2", vell::VEC3, normals2, count);
    fillStream(*geometry, "texCoord0", vell::VEC2, texCoords, count);
    std::copy(indices.begin(), indices.end(), geometry->getIndices());
    std::copy(edges.begin(), edges.end(), geometry->getEdgeIndices());
    return geometry;
}
