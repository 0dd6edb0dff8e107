#include "toolkit/GeometryGroup.h"

#include "toolkit/GeometryBuilder.h"
#include "toolkit/StrUtil.h"
#include "utils/FileReports.h"
#include "utils/Platform.h"
#include "utils/Utils.h"

#include <array>
#include <cmath>

using vell::Geometry;
using vell::vec3;

namespace {

// Tokens 1..3 of a "v" or "vn" line; missing ones read as 0, and so do those that
// are no finite float ("nan", "inf", 1e39), which clears *finite.
vec3 readVector(const std::string& line, bool* finite)
{
    const std::vector<std::string> tokens = strUtil::explode(" ", line);
    vec3 v;
    for (unsigned int i = 0; i < 3 && i + 1 < tokens.size(); ++i) {
        const float x = strUtil::toFloat(tokens[i + 1]);
        *finite = *finite && std::isfinite(x);
        v[i] = std::isfinite(x) ? x : 0.0f;
    }
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

// The first line of each kind of trouble parse meets (0 while there is none),
// and the faces it kept.
struct Trouble {
    int nonFinite = 0;
    int badFace = 0;
    int droppedFace = 0;
    int faces = 0;

    static void note(int* first, int line)
    {
        if (!*first)
            *first = line;
    }

    std::string describe() const
    {
        std::string out;
        const auto add = [&out](const std::string& what) { out += (out.empty() ? "" : "; ") + what; };
        const auto addFirst = [&add](int line, const char* what) {
            if (line)
                add(std::string(what) + ", first at line " + std::to_string(line));
        };
        addFirst(nonFinite, "numbers that are not finite read as 0");
        addFirst(badFace, "faces with bad indices skipped");
        addFirst(droppedFace, "faces past 65536 vertices of an object dropped");
        if (!faces)
            add("no faces to draw");
        return out;
    }
};

} // namespace

GeometryGroup* GeometryGroup::fromObjFile(const char* fileName)
{
    const char* text = osLoadTextFile(fileName);
    if (!text) {
        vell::Log::error("GeomGroup::fromObjFile failed to load '%s'", fileName);
        return nullptr;
    }
    std::string problems;
    GeometryGroup* group = parse(text, &problems);
    if (!problems.empty() && vell::FileReports::isFirst(fileName))
        vell::Log::error("GeomGroup::fromObjFile '%s': %s", fileName, problems.c_str());
    return group;
}

GeometryGroup* GeometryGroup::parse(const std::string& text, std::string* problems)
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
    Trouble trouble;
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
        } else if (c0 == 'v' && (c1 == ' ' || c1 == 'n')) {
            bool finite = true;
            (c1 == ' ' ? positions : normals).push_back(readVector(line.text, &finite));
            if (!finite)
                Trouble::note(&trouble.nonFinite, line.number);
        } else if (c0 == 'f') {
            std::array<size_t, 3> corner;
            if (!readFace(line.text, positions.size(), corner)) {
                Trouble::note(&trouble.badFace, line.number);
                continue;
            }
            // 16-bit indices address 65536 vertices; later faces of the object would wrap around.
            if (k + 3 > 65536) {
                Trouble::note(&trouble.droppedFace, line.number);
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
            ++trouble.faces;
        }
    }
    addChild(builder);
    if (problems)
        *problems = trouble.describe();
    return group;
}
