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
    candidates.clear();
    for (size_t b = 0; b < blocks.size(); ++b) {
        blocks[b].surface->getGeometry();
        const vell::Frustum local = seen.shifted(blocks[b].position);
        const std::vector<IsoChunk>& chunks = blocks[b].surface->getChunks();
        for (size_t c = 0; c < chunks.size(); ++c)
            if (!local.excludes(chunks[c].lo, chunks[c].hi))
                candidates.push_back(Candidate{b, c, true});
    }
    drawn = candidates.size();
    hidden = 0;
    viewMatrix = view;
    projectionMatrix = projection;
    nearLimit = 2 * nearDistance(projection) + kBoxMargin;

    // The first group meets an empty depth buffer: nothing to test it against.
    const bool testing = boxShader && boxShader->isValid();
    for (size_t first = 0; first < candidates.size();) {
        size_t last = first + 1;
        while (last < candidates.size() && last - first < kGroupChunks &&
               candidates[last].block == candidates[first].block)
            ++last;
        if (testing && first > 0)
            test(blocks, first, last);
        drawShown(blocks, shader, first, last);
        first = last;
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
    const Block& block = blocks[candidates[first].block];
    blockModelView = placedAt(viewMatrix, block.position);

    const std::vector<IsoChunk>& chunks = block.surface->getChunks();
    vec3 lo = chunks[candidates[first].chunk].lo, hi = chunks[candidates[first].chunk].hi;
    for (size_t i = first + 1; i < last; ++i)
        for (unsigned int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], chunks[candidates[i].chunk].lo[a]);
            hi[a] = std::max(hi[a], chunks[candidates[i].chunk].hi[a]);
        }
    const bool groupShows = !queryBox(lo, hi, 0) || queries.anyPassed(0);
    for (size_t i = first; i < last; ++i) {
        Candidate& candidate = candidates[i];
        const IsoChunk& chunk = chunks[candidate.chunk];
        // Shown untested, or tested below.
        candidate.shown = groupShows && (last - first == 1 || !queryBox(chunk.lo, chunk.hi, 1 + i - first));
    }
    for (size_t i = first; i < last; ++i) {
        Candidate& candidate = candidates[i];
        if (groupShows && !candidate.shown && last - first > 1)
            candidate.shown = queries.anyPassed(1 + i - first);
        if (!candidate.shown) {
            --drawn;
            ++hidden;
        }
    }

    glColorMask(colorMask[0], colorMask[1], colorMask[2], colorMask[3]);
    glDepthMask(depthMask);
    if (!culling)
        glDisable(GL_CULL_FACE);
    glCullFace(static_cast<GLenum>(cullFace));
    glFrontFace(static_cast<GLenum>(frontFace));
}

void ChunkCuller::drawShown(const std::vector<Block>& blocks, vell::Shader* shader, size_t first, size_t last)
{
    const Block& block = blocks[candidates[first].block];
    runs.clear();
    for (size_t i = first; i < last; ++i) {
        if (!candidates[i].shown)
            continue;
        const vell::IndexRange& indices = block.surface->getChunks()[candidates[i].chunk].indices;
        if (!runs.empty() && runs.back().first + runs.back().count == indices.first)
            runs.back().count += indices.count;
        else
            runs.push_back(indices);
    }
    if (runs.empty())
        return;
    shader->bind();
    shader->set("modelViewMatrix", placedAt(viewMatrix, block.position));
    block.surface->getGeometry()->renderRanges(shader, runs.data(), runs.size());
}
