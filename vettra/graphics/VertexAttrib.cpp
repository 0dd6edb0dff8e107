#include "graphics/VertexAttrib.h"

#include "utils/Utils.h"

namespace vell {

VertexAttrib::VertexAttrib(const std::string& attribName, DataType type)
    : name(attribName), dataType(type)
{
    if (type >= FLOAT && type <= VEC4) {
        components = static_cast<uint8_t>(type - 2);
        elementBytes = static_cast<uint8_t>(components * sizeof(float));
    } else {
        Log::msg("ERROR: Vertex AttribType have to be float, vec2, vec3 or vec4");
    }
}

void VertexAttrib::setNumVertices(unsigned int n)
{
    numVertices = n;
    buffer.resize(static_cast<size_t>(n) * components, 0.0f);
}

} // namespace vell
