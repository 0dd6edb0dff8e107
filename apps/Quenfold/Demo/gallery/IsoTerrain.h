#pragma once

#include "framework/Effect.h"
#include "toolkit/ChunkCuller.h"

#include <array>
#include <memory>
#include <vector>

class IsoTerrainModule;

namespace vell {
class Overlay;
class Shader;
class Texture2D;
} // namespace vell

// A flight along a winding tunnel through three blocks of iso-surface rock.
// The first frame shows only the splash; the second builds the blocks (the
// slow frame the splash covers); then the flight repeats every 15 s.
class IsoTerrain : public Effect {
public:
    IsoTerrain();
    ~IsoTerrain() override;

    void draw() override;

    std::unique_ptr<vell::Shader> shader;
    std::array<std::unique_ptr<IsoTerrainModule>, 3> modules;
    int stage; // 1: splash next, -1: build next, 0: flying
    std::unique_ptr<vell::Texture2D> splash;
    std::unique_ptr<vell::Overlay> overlay;

private:
    ChunkCuller culler;
    std::vector<ChunkCuller::Block> blocks; // this frame's, nearest first
};
