#include "toolkit/ChunkCuller.h"

#include "geom/Frustum.h"
#include "geom/Geometry.h"
#include "graphics/Shader.h"
#include "toolkit/IsoSurface.h"

#include <GLES2/gl2.h>

#include <algorithm>

using vell::mat4;
using vell::vec3;

namespace {

mat4 placedAt(const mat4& view, const vec3& position)
{
    return view * mat4::translationMatrix(position.x, position.y, position.z);
}

// The near distance of a perspective projection.
float nearDistance(const mat4& projection) { return projection[3][2] / (projection[2][2] - 1); }

vell::Geometry* makeUnitCube()
{
    // Corner k has 1 along the axes whose bit is set in k.
    static const uint16_t kFaces[36] = {0, 2, 3, 0, 3, 1, 4, 5, 7, 4, 7, 6, 0, 1, 5, 0, 5, 4,
                                        2, 6, 7, 2, 7, 3, 0, 4, 6, 0, 6, 2, 1, 3, 7, 1, 7, 5};
    auto* cube = new vell::Geometry();
    cube->addAttrib("position", vell::VEC3);
    cube->setNumVertices(8);
    float* p = cube->getAttrib("position", vell::VEC3)->getBuffer();
    for (int k = 0; k < 8; ++k) {
        p[3 * k] = static_cast<float>(k & 1);
        p[3 * k + 1] = static_cast<float>((k >> 1) & 1);
        p[3 * k + 2] = static_cast<float>((k >> 2) & 1);
    }
    cube->setNumIndices(36);
    std::copy(kFaces, kFaces + 36, cube->getIndices());
    cube->makeStatic();
    return cube;
}

} // namespace

ChunkCuller::ChunkCuller()
{
    if (!queries.available())
        return;
    boxShader.reset(vell::Shader::fromFile("BasicColor.glsl", false));
    unitCube.reset(makeUnitCube());
}

ChunkCuller::~ChunkCuller() = default;

void ChunkCuller::draw(const std::vector<Block>& blocks, vell::Shader* shader, const mat4& view,
                       const mat4& projection, const vell::Frustum& seen)
{
    // The chunks of the last draw that drew a pixel.
    drawnBefore.clear();
    for (size_t k = 0; k < drawnNow.size(); ++k)
        if (drawQueries.anyPassed(k))
            drawnBefore.push_back(drawnNow[k]);
    std::sort(drawnBefore.begin(), drawnBefore.end());
    drawnNow.clear();

    // Candidates: those first, then the rest, each part in the blocks' and the mesh's order.
    candidates.clear();
    later.clear();
    for (size_t b = 0; b < blocks.size(); ++b) {
        blocks[b].surface->getGeometry();
        const vell::Frustum local = seen.shifted(blocks[b].position);
        const std::vector<IsoChunk>& chunks = blocks[b].surface->getChunks();
        for (size_t c = 0; c < chunks.size(); ++c) {
            if (local.excludes(chunks[c].lo, chunks[c].hi))
                continue;
            const bool before = std::binary_search(drawnBefore.begin(), drawnBefore.end(), Drawn{blocks[b].surface, c});
            (before ? candidates : later).push_back(Candidate{b, c, true});
        }
    }
    const size_t early = candidates.size();
    candidates.insert(candidates.end(), later.begin(), later.end());
    drawn = candidates.size();
    hidden = 0;
    viewMatrix = view;
    projectionMatrix = projection;
    nearLimit = 2 * nearDistance(projection) + kBoxMargin;

    groups.clear();
    makeGroups(0, early);
    const size_t earlyGroups = groups.size();
    makeGroups(early, candidates.size());
    if (!testing()) {
        drawShown(blocks, shader, 0, groups.size());
        return;
    }
    if (early == 0) {
        // Nothing to go by: each group is tested against the nearer ones. The
        // first meets an empty depth buffer, with nothing to test it against.
        for (size_t g = 0; g < groups.size(); ++g) {
            if (g > 0)
                test(blocks, g, g + 1);
            drawShown(blocks, shader, g, g + 1);
        }
        return;
    }
    drawShown(blocks, shader, 0, earlyGroups);
    if (earlyGroups < groups.size()) {
        test(blocks, earlyGroups, groups.size());
        drawShown(blocks, shader, earlyGroups, groups.size());
    }
}

bool ChunkCuller::testing() const { return boxShader && boxShader->isValid(); }

void ChunkCuller::makeGroups(size_t first, size_t last)
{
    while (first < last) {
        size_t end = first + 1;
        while (end < last && end - first < kGroupChunks && candidates[end].block == candidates[first].block)
            ++end;
        groups.push_back(Group{first, end, true});
        first = end;
    }
}

bool ChunkCuller::queryBox(const vec3& lo, const vec3& hi, size_t slot)
{
    const vec3 from = lo - vec3(kBoxMargin, kBoxMargin, kBoxMargin);
    const vec3 size = hi - lo + vec3(2 * kBoxMargin, 2 * kBoxMargin, 2 * kBoxMargin);
    const mat4 box = blockModelView * mat4::translationMatrix(from.x, from.y, from.z) *
                     mat4::scaleMatrix(size.x, size.y, size.z, 1);
    // The corner nearest the eye: a box reaching the near plane is not tested.
    const mat4 clip = projectionMatrix * box;
    float w = clip[3][3];
    for (unsigned int a = 0; a < 3; ++a)
        w += std::min(clip[a][3], 0.0f);
    if (w <= nearLimit)
        return false;
    boxShader->set("modelViewMatrix", box);
    queries.begin(slot);
    unitCube->render(boxShader.get());
    queries.end();
    return true;
}

void ChunkCuller::test(const std::vector<Block>& blocks, size_t first, size_t last)
{
    GLboolean colorMask[4], depthMask;
    glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    const GLboolean culling = glIsEnabled(GL_CULL_FACE);
    GLint cullFace, frontFace;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    // The faces towards the eye cover all the box shows, and are the nearest of it.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    boxShader->bind();
    boxShader->set("projectionMatrix", projectionMatrix);

    testGroups(blocks, first, last);
    testChunks(blocks, first, last);

    glColorMask(colorMask[0], colorMask[1], colorMask[2], colorMask[3]);
    glDepthMask(depthMask);
    if (!culling)
        glDisable(GL_CULL_FACE);
    glCullFace(static_cast<GLenum>(cullFace));
    glFrontFace(static_cast<GLenum>(frontFace));
}

void ChunkCuller::testGroups(const std::vector<Block>& blocks, size_t first, size_t last)
{
    pending.clear();
    for (size_t g = first; g < last; ++g) {
        Group& group = groups[g];
        const Block& block = blocks[candidates[group.first].block];
        blockModelView = placedAt(viewMatrix, block.position);
        const std::vector<IsoChunk>& chunks = block.surface->getChunks();
        vec3 lo = chunks[candidates[group.first].chunk].lo, hi = chunks[candidates[group.first].chunk].hi;
        for (size_t i = group.first + 1; i < group.last; ++i)
            for (unsigned int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], chunks[candidates[i].chunk].lo[a]);
                hi[a] = std::max(hi[a], chunks[candidates[i].chunk].hi[a]);
            }
        if (queryBox(lo, hi, pending.size())) // else shown untested
            pending.push_back(g);
    }
    for (size_t k = 0; k < pending.size(); ++k)
        groups[pending[k]].shows = queries.anyPassed(k);
}

void ChunkCuller::testChunks(const std::vector<Block>& blocks, size_t first, size_t last)
{
    pending.clear();
    for (size_t g = first; g < last; ++g) {
        const Group& group = groups[g];
        const Block& block = blocks[candidates[group.first].block];
        blockModelView = placedAt(viewMatrix, block.position);
        for (size_t i = group.first; i < group.last; ++i) {
            candidates[i].shown = group.shows;
            // A group of one chunk was tested as such.
            const IsoChunk& chunk = block.surface->getChunks()[candidates[i].chunk];
            if (group.shows && group.last - group.first > 1 && queryBox(chunk.lo, chunk.hi, pending.size()))
                pending.push_back(i);
        }
    }
    for (size_t k = 0; k < pending.size(); ++k)
        candidates[pending[k]].shown = queries.anyPassed(k);
    for (size_t i = groups[first].first; i < groups[last - 1].last; ++i)
        if (!candidates[i].shown) {
            --drawn;
            ++hidden;
        }
}

void ChunkCuller::drawShown(const std::vector<Block>& blocks, vell::Shader* shader, size_t first, size_t last)
{
    const bool counting = testing();
    for (size_t g = first; g < last;) {
        const size_t b = candidates[groups[g].first].block;
        const Block& block = blocks[b];
        runs.clear();
        for (; g < last && candidates[groups[g].first].block == b; ++g)
            for (size_t i = groups[g].first; i < groups[g].last; ++i) {
                if (!candidates[i].shown)
                    continue;
                const vell::IndexRange& indices = block.surface->getChunks()[candidates[i].chunk].indices;
                if (!counting) {
                    vell::appendRun(runs, indices);
                    continue;
                }
                drawnNow.push_back(Drawn{block.surface, candidates[i].chunk}); // a run of its own, counted
                runs.push_back(indices);
            }
        if (runs.empty())
            continue;
        shader->bind();
        shader->set("modelViewMatrix", placedAt(viewMatrix, block.position));
        if (!counting) {
            block.surface->getGeometry()->renderRanges(shader, runs.data(), runs.size());
            continue;
        }
        const size_t firstSlot = drawnNow.size() - runs.size();
        for (size_t r = 0; r < runs.size(); ++r) {
            drawQueries.begin(firstSlot + r);
            block.surface->getGeometry()->renderRanges(shader, &runs[r], 1);
            drawQueries.end();
        }
    }
}
