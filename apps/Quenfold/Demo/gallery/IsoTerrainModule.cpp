#include "gallery/IsoTerrainModule.h"

#include "geom/Geometry.h"
#include "utils/Utils.h"

#include <cmath>
#include <cstdlib>

using vell::vec3;

IsoTerrainModule::IsoTerrainModule() : IsoSurface(32, 32, 32, 1, 1, 5)
{
    setChunkCells(kChunkCells[0], kChunkCells[1], kChunkCells[2]);
}

std::unique_ptr<IsoTerrainModule> IsoTerrainModule::build(const vec3& at)
{
    auto module = std::make_unique<IsoTerrainModule>();
    module->setPosition(at);
    module->update(0);
    vell::Log::msg("Num vertices: %d", static_cast<int>(module->geometry->getNumVertices()));
    return module;
}

float IsoTerrainModule::findValue(vec3& p)
{
    auto inside = [](float c, float size) { return std::fabs(static_cast<double>(c)) < size * 0.95; };
    if (!inside(p.x, sizeX) || !inside(p.y, sizeY) || !inside(p.z, sizeZ))
        return -1.0f;
    const vec3 q = position + p;
    const float dx = q.x - static_cast<float>(0.5 * std::cos(q.z));
    const float dy = q.y - static_cast<float>(0.5 * std::sin(q.z));
    const float d = std::sqrt(dx * dx + dy * dy);
    const long r = random() % 1024;
    const double threshold = static_cast<double>(r) * 0.1 / 1024 + 0.5;
    return d < threshold ? -1.0f : 1.0f;
}
