#pragma once

#include "graphics/DataType.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vell {

// One named vertex attribute array: numVertices x components tightly packed floats.
class VertexAttrib {
public:
    VertexAttrib(const std::string& attribName, DataType type);

    // Resizes the buffer; existing values are kept, new ones are 0.
    void setNumVertices(unsigned int n);

    // First float, or null when the buffer is empty.
    float* getBuffer() { return buffer.empty() ? nullptr : buffer.data(); }
    const float* getBuffer() const { return buffer.empty() ? nullptr : buffer.data(); }
    unsigned int getSize() const { return components; }
    DataType getDataType() const { return dataType; }
    std::string getVertexAttribType() const { return name; }
    const std::string& getName() const { return name; }
    unsigned int getNumVertices() const { return numVertices; }

private:
    std::vector<float> buffer;
    std::string name;
    DataType dataType;
    uint32_t numVertices = 0;
    uint8_t elementBytes = 0;
    uint8_t components = 0; // 0 for an unsupported type: such an attribute holds no data
};

} // namespace vell
