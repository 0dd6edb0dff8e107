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
// With queries, the chunks that drew a pixel in the last draw are drawn first,
// untested: as a view moves on they draw nearly all of the depth that hides the
// rest. Then every group of the rest has its box, and each group that shows its
// chunks' boxes, a margin larger, tested against the depth drawn so far (colour
// and depth writes off), all at once: two waits for the GL a draw. The chunks
// that passed are drawn last. With none drawn before, each group is tested
// against the groups before it, one after another. A chunk left out would not
// have drawn a pixel under a depth test that keeps the nearer (GL_LESS or
// GL_LEQUAL), so the picture is that of drawing every chunk.
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

    // Chunks per group: one box tested for them all before their own.
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
    struct Group {
        size_t first, last; // candidates, all of one block
        bool shows;
    };
    // A chunk drawn, for the next draw to go by.
    struct Drawn {
        const IsoSurface* surface;
        size_t chunk;
        bool operator<(const Drawn& o) const { return surface != o.surface ? surface < o.surface : chunk < o.chunk; }
    };

    bool testing() const; // the GL can test boxes
    // Splits candidates [first, last) into groups.
    void makeGroups(size_t first, size_t last);
    // Starts testing the box [lo, hi] of the block being tested in query slot;
    // false, without a test, for a box too near the eye to test.
    bool queryBox(const vell::vec3& lo, const vell::vec3& hi, size_t slot);
    // Tests groups [first, last), then the chunks of those that show, and keeps
    // the answers: two waits for the GL.
    void test(const std::vector<Block>& blocks, size_t first, size_t last);
    void testGroups(const std::vector<Block>& blocks, size_t first, size_t last);
    void testChunks(const std::vector<Block>& blocks, size_t first, size_t last);
    // Draws the shown candidates of groups [first, last): a draw per block, a run
    // per stretch of the mesh; with queries, a draw per chunk, each counted.
    void drawShown(const std::vector<Block>& blocks, vell::Shader* shader, size_t first, size_t last);

    vell::OcclusionQueries queries;
    vell::OcclusionQueries drawQueries; // whether each of drawnNow drew a pixel
    std::unique_ptr<vell::Shader> boxShader;
    std::unique_ptr<vell::Geometry> unitCube; // [0, 1]^3, faces wound counter-clockwise seen from outside
    vell::mat4 viewMatrix, projectionMatrix;    // this draw's
    vell::mat4 blockModelView;                  // of the block being tested
    float nearLimit = 0;                        // nearer boxes may be clipped open: not tested
    std::vector<Candidate> candidates, later;   // later: none of the last draw's
    std::vector<Group> groups;
    std::vector<size_t> pending;                // the groups or candidates tested, by query slot
    std::vector<Drawn> drawnBefore;             // sorted: those that drew a pixel last time
    std::vector<Drawn> drawnNow;                // in the order drawn
    std::vector<vell::IndexRange> runs;
    size_t drawn = 0;
    size_t hidden = 0;
};
