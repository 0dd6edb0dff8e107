#pragma once

#include "ResourceWriter.h"
#include "TubeMesh.h"

#include <string>
#include <vector>

namespace resgen {

// The group's logo mark "sorv05tri.obj": the letters S O R V as bevelled tubes, an underline swoosh
// and a tilted orbit ring, each its own object.
class LogoModel {
public:
    static std::string objText();
    static bool write(ResourceWriter& out);

private:
    static void appendLine(std::vector<Vec3>& path, Vec3 a, Vec3 b);
    static void appendArc(std::vector<Vec3>& path, Vec3 centre, float rx, float ry, float from, float to);
};

} // namespace resgen
