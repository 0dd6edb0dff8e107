#pragma once

#include "geom/GeometryRenderer.h"
#include "graphics/OcclusionQueries.h"
#include "math/Mat.h"
#include "math/Vec.h"

#include <memory>
#include <vector>

class IsoSurface;

namespace vell {
class Frustum;
class Geometry;
class Shader;
} // namespace vell

// Draws iso-surface blocks chunk by chunk and leaves out the chunks that cannot
// show: those wholly outside the frustum and, where the GL has occlusion queries,
// those wholly behind what was drawn before them. Blocks come nearest first and
// their chunks in the mesh's order, in groups of a block's consecutive chunks.
// A group's box, then (if any of it shows) each of its chunks' boxes, a margin
// larger, are tested against the depth drawn so far, colour and depth writes
// off; then the chunks that passed are drawn. A chunk left out would not have
// drawn a pixel under a depth test that keeps the nearer (GL_LESS or GL_LEQUAL),
// so the picture is that of drawing every chunk in order.
class ChunkCuller {
public:
    struct Block {
        IsoSurface* surface;
        vell::vec3 position; // where it is placed in the world
    };

    ChunkCuller();
    ~ChunkCuller();
    ChunkCuller(const ChunkCuller&) = delete;
    ChunkCuller& operator=(const ChunkCuller&) = delete;

    // Chunks per group: each group after the first costs one or two waits for the GL.
    static constexpr size_t kGroupChunks = 16;
    // How much larger than its chunk's a tested box is on every side.
    static constexpr float kBoxMargin = 0.01f;

    // Draws the blocks with shader, which is bound and has every uniform but
    // "modelViewMatrix" (set here for each block); seen is in world coordinates.
    void draw(const std::vector<Block>& blocks, vell::Shader* shader, const vell::mat4& view,
              const vell::mat4& projection, const vell::Frustum& seen);

    // Chunks drawn and left out by the occlusion test in the last draw.
    size_t getDrawnChunks() const { return drawn; }
    size_t getHiddenChunks() const { return hidden; }

private:
    struct Candidate {
        size_t block;
        size_t chunk;
        bool shown;
    };

    // Starts testing the box [lo, hi] of the block being tested in query slot;
    // false, without a test, for a box too near the eye to test.
    bool queryBox(const vell::vec3& lo, const vell::vec3& hi, size_t slot);
    // Tests the candidates [first, last), all of one block, and keeps the answers.
    void test(const std::vector<Block>& blocks, size_t first, size_t last);
    // Draws the shown candidates of [first, last), a run per stretch of the mesh.
    void drawShown(const std::vector<Block>& blocks, vell::Shader* shader, size_t first, size_t last);

    vell::OcclusionQueries queries;
    std::unique_ptr<vell::Shader> boxShader;
    std::unique_ptr<vell::Geometry> unitCube; // [0, 1]^3, faces wound counter-clockwise seen from outside
    vell::mat4 viewMatrix, projectionMatrix;    // this draw's
    vell::mat4 blockModelView;                  // of the block being tested
    float nearLimit = 0;                        // nearer boxes may be clipped open: not tested
    std::vector<Candidate> candidates;
    std::vector<vell::IndexRange> runs;
    size_t drawn = 0;
    size_t hidden = 0;
};
