#pragma once

#include "graphics/DataType.h"

#include <string>

namespace vell {

// One attribute declared in a shader file. Its position in the shader's list
// is its attribute location.
struct VertexAttribDeclaration {
    VertexAttribDeclaration(const std::string& attribName, DataType attribType)
        : name(attribName), type(attribType)
    {
    }

    std::string name;
    DataType type;
};

} // namespace vell
