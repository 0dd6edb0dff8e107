#pragma once

#include "math/Vec.h"

#include <string>
#include <variant>

// A field the timeline writes, under a readable name such as "Stars.cameraZ".
struct AnimatedField {
    using Address = std::variant<bool*, int*, float*, vell::vec3*, vell::vec4*>;

    std::string name;
    Address address;
};
