#pragma once

#include "graphics/VertexAttrib.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vell {

// Vertex attributes of one mesh plus its 16-bit primitive and edge index lists.
// Every attribute holds numVertices vertices.
class VertexStream {
public:
    VertexStream();
    VertexStream(const VertexStream&) = delete;
    VertexStream& operator=(const VertexStream&) = delete;

    // First attribute with this name and type (in insertion order), or null.
    VertexAttrib* getAttrib(const std::string& name, DataType type) const;
    // The existing attribute, or a new zero-filled one sized to the stream.
    VertexAttrib* addAttrib(const std::string& name, DataType type);
    const std::vector<std::unique_ptr<VertexAttrib>>& getAttribs() const { return attribs; }

    // Resizes every attribute / index list; existing data kept, new entries 0.
    void setNumVertices(unsigned int n);
    void setNumIndices(unsigned int n) { indices.resize(n, 0), ++indexWrites; }
    void setNumEdgeIndices(unsigned int n) { edgeIndices.resize(n, 0), ++indexWrites; }

    // First index, or null when the list is empty. Handing out writable indices
    // counts as a write (getIndexWrites): write through the pointer before the
    // next draw, not through one kept from before it.
    uint16_t* getIndices() { return ++indexWrites, indices.empty() ? nullptr : indices.data(); }
    const uint16_t* getIndices() const { return indices.empty() ? nullptr : indices.data(); }
    uint16_t* getEdgeIndices() { return ++indexWrites, edgeIndices.empty() ? nullptr : edgeIndices.data(); }
    const uint16_t* getEdgeIndices() const { return edgeIndices.empty() ? nullptr : edgeIndices.data(); }
    // Changes whenever either index list may have been written.
    uint64_t getIndexWrites() const { return indexWrites; }

    unsigned int getNumVertices() const { return numVertices; }
    unsigned int getNumIndices() const { return static_cast<unsigned int>(indices.size()); }
    unsigned int getNumEdgeIndices() const { return static_cast<unsigned int>(edgeIndices.size()); }
    unsigned int getIndexType() const { return indexType; }

private:
    uint32_t indexType;
    std::vector<uint16_t> indices;
    std::vector<uint16_t> edgeIndices;
    std::vector<std::unique_ptr<VertexAttrib>> attribs;
    uint32_t numVertices = 0;
    uint64_t indexWrites = 0;
};

} // namespace vell
