#include "graphics/VertexStream.h"

#include <GLES2/gl2.h>

namespace vell {

VertexStream::VertexStream() : indexType(GL_UNSIGNED_SHORT) {}

VertexAttrib* VertexStream::getAttrib(const std::string& name, DataType type) const
{
    for (const auto& attrib : attribs) {
        if (attrib->getDataType() == type && attrib->getName() == name)
            return attrib.get();
    }
    return nullptr;
}

VertexAttrib* VertexStream::addAttrib(const std::string& name, DataType type)
{
    if (VertexAttrib* existing = getAttrib(name, type))
        return existing;
    attribs.push_back(std::make_unique<VertexAttrib>(name, type));
    attribs.back()->setNumVertices(numVertices);
    return attribs.back().get();
}

void VertexStream::setNumVertices(unsigned int n)
{
    numVertices = n;
    for (auto& attrib : attribs)
        attrib->setNumVertices(n);
}

} // namespace vell
