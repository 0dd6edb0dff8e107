#include "LogoModel.h"

#include <cmath>
#include <utility>

namespace resgen {

namespace {

constexpr float pi = 3.14159265f;
constexpr float stepLength = 0.1f; // path sampling distance
constexpr float strokeRadius = 0.24f;
constexpr float strokeDepth = 1.7f;
constexpr int strokeSides = 8;
const Vec3 front{0, 0, 1};

Vec3 at(float x, float y) { return {x, y, 0}; }

} // namespace

void LogoModel::appendLine(std::vector<Vec3>& path, Vec3 a, Vec3 b)
{
    const float len = std::hypot(b[0] - a[0], b[1] - a[1]);
    const int steps = std::max(1, static_cast<int>(len / stepLength));
    for (int i = path.empty() ? 0 : 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        path.push_back({a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, 0});
    }
}

void LogoModel::appendArc(std::vector<Vec3>& path, Vec3 centre, float rx, float ry, float from, float to)
{
    const float len = std::fabs(to - from) * std::max(rx, ry);
    const int steps = std::max(2, static_cast<int>(len / stepLength));
    for (int i = path.empty() ? 0 : 1; i <= steps; ++i) {
        const float a = from + (to - from) * i / steps;
        path.push_back({centre[0] + rx * std::cos(a), centre[1] + ry * std::sin(a), 0});
    }
}

std::string LogoModel::objText()
{
    std::vector<std::pair<std::string, TubeMesh>> parts;
    auto stroke = [&](TubeMesh& mesh, const std::vector<Vec3>& path, bool closed) {
        mesh.sweep(path, closed, strokeRadius, strokeDepth, strokeSides, front);
    };

    TubeMesh s;
    {
        std::vector<Vec3> path;
        appendArc(path, at(-5.4f, 0.75f), 0.95f, 0.75f, 0.25f * pi, 1.5f * pi);
        appendArc(path, at(-5.4f, -0.75f), 0.95f, 0.75f, 0.5f * pi, -0.75f * pi);
        stroke(s, path, false);
    }
    TubeMesh o;
    {
        std::vector<Vec3> path;
        appendArc(path, at(-1.8f, 0), 1.05f, 1.5f, 0, 2 * pi);
        path.pop_back(); // closed: the seam point is the first one
        stroke(o, path, true);
    }
    TubeMesh r;
    {
        std::vector<Vec3> stem, bowl, leg;
        appendLine(stem, at(0.9f, -1.5f), at(0.9f, 1.5f));
        appendLine(bowl, at(0.9f, 1.5f), at(1.9f, 1.5f));
        appendArc(bowl, at(1.9f, 0.75f), 0.8f, 0.75f, 0.5f * pi, -0.5f * pi);
        appendLine(bowl, at(1.9f, 0), at(0.9f, 0));
        appendLine(leg, at(1.7f, 0), at(2.75f, -1.5f));
        stroke(r, stem, false);
        stroke(r, bowl, false);
        stroke(r, leg, false);
    }
    TubeMesh v;
    {
        std::vector<Vec3> left, right;
        appendLine(left, at(4.3f, 1.5f), at(5.4f, -1.5f));
        appendLine(right, at(5.4f, -1.5f), at(6.5f, 1.5f));
        stroke(v, left, false);
        stroke(v, right, false);
    }
    TubeMesh swoosh;
    {
        std::vector<Vec3> path;
        for (int i = 0; i <= 80; ++i) {
            const float t = static_cast<float>(i) / 80;
            path.push_back(at(-7.2f + 14.4f * t, -2.35f + 0.3f * std::sin(t * 2 * pi)));
        }
        swoosh.sweep(path, false, 0.13f, 1.4f, strokeSides, front);
    }
    TubeMesh orbit;
    {
        // An ellipse around the word, tilted back by 25 degrees about the x axis.
        const float tilt = 25 * pi / 180;
        std::vector<Vec3> path;
        for (int i = 0; i < 120; ++i) {
            const float a = i * 2 * pi / 120;
            const float y = 3.1f * std::sin(a);
            path.push_back({8.6f * std::cos(a), y * std::cos(tilt), -y * std::sin(tilt)});
        }
        orbit.sweep(path, true, 0.11f, 1.0f, strokeSides, {0, std::sin(tilt), std::cos(tilt)});
    }
    parts.emplace_back("letterS", std::move(s));
    parts.emplace_back("letterO", std::move(o));
    parts.emplace_back("letterR", std::move(r));
    parts.emplace_back("letterV", std::move(v));
    parts.emplace_back("swoosh", std::move(swoosh));
    parts.emplace_back("orbit", std::move(orbit));

    std::string text = "# quenfold logo mark: one object per part, one normal per position\n";
    size_t first = 1;
    for (const auto& [name, mesh] : parts) {
        mesh.appendObj(text, name, first);
        first += mesh.vertexCount();
    }
    return text;
}

bool LogoModel::write(ResourceWriter& out)
{
    const std::string text = objText();
    return out.saveBytes("sorv05tri.obj", std::vector<uint8_t>(text.begin(), text.end()));
}

} // namespace resgen
