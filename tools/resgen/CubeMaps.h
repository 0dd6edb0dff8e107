#pragma once

#include "Environment.h"
#include "ResourceWriter.h"

#include <string>

namespace resgen {

// Six-face cube maps named "<base>_<face>.<extension>".
class CubeMaps {
public:
    static bool write(ResourceWriter& out, const std::string& base, const std::string& extension,
                      const Environment& env, int size);
    static bool writeAll(ResourceWriter& out);
};

} // namespace resgen
