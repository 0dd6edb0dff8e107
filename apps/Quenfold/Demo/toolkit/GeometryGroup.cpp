#include "toolkit/GeometryGroup.h"

#include "toolkit/GeometryBuilder.h"
#include "toolkit/StrUtil.h"
#include "utils/Platform.h"
#include "utils/Utils.h"

#include <array>

using vell::Geometry;
using vell::vec3;

namespace {

// Tokens 1..3 of a "v" or "vn" line; missing ones read as 0.
vec3 readVector(const std::string& line)
{
    const std::vector<std::string> tokens = strUtil::explode(" ", line);
    vec3 v;
    for (unsigned int i = 0; i < 3 && i + 1 < tokens.size(); ++i)
        v[i] = strUtil::toFloat(tokens[i + 1]);
    return v;
}

// The 0-based position indices of a face's first three corners; false when a
// corner is missing or does not name a position read so far.
bool readFace(const std::string& line, size_t positionCount, std::array<size_t, 3>& corners)
{
    const std::vector<std::string> tokens = strUtil::explode(" ", line);
    if (tokens.size() < 4)
        return false;
    for (size_t i = 0; i < 3; ++i) {
        const std::vector<std::string> parts = strUtil::explode("/", tokens[i + 1]);
        const int index = parts.empty() ? 0 : strUtil::toInt(parts[0]);
        if (index < 1 || static_cast<size_t>(index) > positionCount)
            return false;
        corners[i] = static_cast<size_t>(index) - 1;
    }
    return true;
}

} // namespace

GeometryGroup* GeometryGroup::fromObjFile(const char* fileName)
{
    const char* text = osLoadTextFile(fileName);
    if (!text) {
        vell::Log::error("GeomGroup::fromObjFile failed to load '%s'", fileName);
        return nullptr;
    }
    return parse(text);
}

GeometryGroup* GeometryGroup::parse(const std::string& text)
{
    // Split by hand rather than with strUtil::explode to know each line's number in the file.
    struct Line {
        std::string text;
        int number;
    };
    std::vector<Line> lines;
    int number = 1;
    for (size_t start = 0; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            lines.push_back({text.substr(start, end - start), number});
        start = end + 1;
    }
    vell::Log::msg("GeometryGroup::parse %d lines", static_cast<int>(lines.size()));

    auto* group = new GeometryGroup();
    GeometryBuilder builder;
    // A model never changes once parsed: its meshes are drawn from GL buffers.
    auto addChild = [&group](GeometryBuilder& built) {
        group->children.emplace_back(built.build(Geometry::TRIANGLES));
        group->children.back()->makeStatic();
    };
    std::vector<vec3> positions;
    std::vector<vec3> normals;
    bool firstObject = true;
    bool reportedBadFace = false;
    bool reportedFullObject = false;
    int k = 0;
    for (const Line& line : lines) {
        const char c0 = line.text[0];
        const char c1 = line.text.size() > 1 ? line.text[1] : '\0';
        if (c0 == 'o') {
            if (firstObject) {
                firstObject = false;
                continue;
            }
            addChild(builder);
            k = 0;
            builder.reset();
        } else if (c0 == 'v' && c1 == ' ') {
            positions.push_back(readVector(line.text));
        } else if (c0 == 'v' && c1 == 'n') {
            normals.push_back(readVector(line.text));
        } else if (c0 == 'f') {
            std::array<size_t, 3> corner;
            if (!readFace(line.text, positions.size(), corner)) {
                if (!reportedBadFace)
                    vell::Log::error("GeometryGroup::parse skips faces with bad indices, first at line %d",
                                     line.number);
                reportedBadFace = true;
                continue;
            }
            // 16-bit indices address 65536 vertices; later faces of the object would wrap around.
            if (k + 3 > 65536) {
                if (!reportedFullObject)
                    vell::Log::error("GeometryGroup::parse drops faces past 65536 vertices, first at line %d",
                                     line.number);
                reportedFullObject = true;
                continue;
            }
            const vec3& p0 = positions[corner[0]];
            const vec3 n = vell::normalize(
                vell::cross(positions[corner[1]] - p0, positions[corner[2]] - p0));
            for (size_t c : corner) {
                builder.add("position", positions[c]);
                builder.add("normal", n);
                // A file with fewer normals than positions leaves the rest zero.
                builder.add("normal2", c < normals.size() ? normals[c] : vec3());
            }
            builder.addTriangle(k, k + 1, k + 2);
            builder.addEdge(k, k + 1);
            builder.addEdge(k + 1, k + 2);
            builder.addEdge(k + 2, k);
            k += 3;
        }
    }
    addChild(builder);
    return group;
}
