#pragma once

#include "framework/Effect.h"
#include "math/Mat.h"
#include "math/Vec.h"
#include "toolkit/ChunkCuller.h"

#include <array>
#include <memory>
#include <vector>

class IsoTerrainModule;
class Piramid;

namespace vell {
class Plane;
class Shader;
class Texture2D;
} // namespace vell

// A flight along a winding tunnel through three blocks of iso-surface rock,
// past nine glowing cards hung on the camera's helix. Draws only where the
// stencil holds 1 while the stencil test is on (the pyramid's window), and
// switches the stencil test off when done.
class Tunnel : public Effect {
public:
    Tunnel();
    ~Tunnel() override;

    void draw() override;

    // The camera on its helix at the current progress, looking one unit ahead.
    vell::mat4 getViewMatrix() const;
    // clearColor's rgb, with alpha 78 - time before 78 s and 0 from then on.
    vell::vec4 getFadeInColor(float time) const;
    // From 80 s the tunnel clears colour and depth before it draws (the stencil
    // stays): nothing drawn before it in the frame shows but the stencil's marks.
    static bool clearsFrame(float time) { return time > 80; }

    std::unique_ptr<vell::Shader> shader;
    std::array<std::unique_ptr<IsoTerrainModule>, 3> terrainModules;
    std::vector<std::unique_ptr<vell::Texture2D>> indicatorTextures;
    std::unique_ptr<vell::Plane> indicatorPlane;
    std::vector<vell::vec3> indicatorPositions; // one per texture
    std::unique_ptr<vell::Shader> indicatorShader;
    float progress;     // 0 at the start of the flight, 1 at its end
    float cameraStartZ;
    float cameraEndZ;
    vell::vec4 clearColor; // the sky, cleared to from 80 s on
    // The effect that marks the window in the stencil, if known: the tunnel then
    // leaves out the pixels outside the rectangle it marked this frame.
    Piramid* window = nullptr;

private:
    ChunkCuller culler;
    std::vector<ChunkCuller::Block> blocks; // this frame's, nearest first
};
