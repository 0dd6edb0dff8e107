#include "geom/FullScreenQuad.h"

#include <algorithm>

namespace vell {

FullScreenQuad::FullScreenQuad()
{
    addAttrib("position", VEC2);
    addAttrib("texCoord0", VEC2);
    genFullScreenQuad();
}

void FullScreenQuad::genFullScreenQuad()
{
    static const float positions[12] = {-1, -1, 1, 1, -1, 1, -1, -1, 1, -1, 1, 1};
    static const float texCoords[12] = {0, 0, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1};
    setNumVertices(6);
    setNumIndices(6);
    std::copy(positions, positions + 12, getAttrib("position", VEC2)->getBuffer());
    std::copy(texCoords, texCoords + 12, getAttrib("texCoord0", VEC2)->getBuffer());
    for (uint16_t i = 0; i < 6; ++i)
        getIndices()[i] = i;
}

} // namespace vell
