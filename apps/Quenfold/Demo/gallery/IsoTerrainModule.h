#pragma once

#include "toolkit/IsoSurface.h"

#include <memory>

// A block of rock, 2 x 2 x 10 units, bored along z by a rough tunnel that winds
// round a helix of radius 0.5 (one turn per 2 pi of world z). Blocks placed end
// to end continue the same helix. The roughness comes from random(), so the
// rock is the same in every run that builds its blocks in the same order.
class IsoTerrainModule : public IsoSurface {
public:
    IsoTerrainModule();
    // A block at position, built, its vertex count logged.
    static std::unique_ptr<IsoTerrainModule> build(const vell::vec3& position);

    // 1 in the rock, -1 in the tunnel and in the outer 5 % of the box.
    float findValue(vell::vec3& p) override;

    void setPosition(const vell::vec3& p) { position = p; }
    vell::vec3 getPosition() const { return position; }

    // Cells of a chunk along x, y and z: the block's 31 x 31 x 31 cells in 4 x 4 x 8 chunks.
    static constexpr int kChunkCells[3] = {8, 8, 4};

    vell::vec3 position; // world offset of the block
};
