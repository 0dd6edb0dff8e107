#pragma once

namespace vell {

// Type code of a vertex attribute; the component count is the value minus 2.
enum DataType : int {
    FLOAT = 3,
    VEC2 = 4,
    VEC3 = 5,
    VEC4 = 6,
};

} // namespace vell
