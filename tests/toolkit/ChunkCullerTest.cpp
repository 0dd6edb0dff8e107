#include "geom/Frustum.h"
#include "geom/Geometry.h"
#include "graphics/OcclusionQueries.h"
#include "graphics/Shader.h"
#include "support/HeadlessGL.h"
#include "toolkit/ChunkCuller.h"
#include "toolkit/IsoSurface.h"

#include <GLES2/gl2.h>

#include <memory>
#include <vector>

using namespace vell;

namespace {

// Balls of radius 0.75 in eight chunks each (see IsoSurfaceTest), seen from
// (0, 0, 3) down -z, drawn with the tunnel's shader.
class ChunkCullerTest : public HeadlessGLTest {
protected:
    void SetUp() override
    {
        HeadlessGLTest::SetUp();
        shader.reset(Shader::fromFile("IsoTerrainGround.glsl", false));
        ASSERT_TRUE(shader && shader->isValid());
        for (auto& ball : balls) {
            ball = std::make_unique<IsoSurface>(8, 8, 8, 1, 1, 1);
            ball->setChunkCells(4, 4, 4);
        }
        glEnable(GL_DEPTH_TEST);
    }

    void TearDown() override
    {
        glDisable(GL_DEPTH_TEST);
        HeadlessGLTest::TearDown();
    }

    void bind()
    {
        shader->bind();
        shader->set("projectionMatrix", projection);
        shader->set("fadeInColor", vec4());
    }

    // Every chunk of the balls at the given places, in order, with no test.
    std::vector<uint8_t> drawAll(const std::vector<ChunkCuller::Block>& blocks)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        bind();
        for (const auto& block : blocks) {
            const vec3& p = block.position;
            shader->set("modelViewMatrix", view * mat4::translationMatrix(p.x, p.y, p.z));
            block.surface->getGeometry()->render(shader.get());
        }
        return readFrame();
    }

    std::vector<uint8_t> drawCulled(ChunkCuller& culler, const std::vector<ChunkCuller::Block>& blocks,
                                    const Frustum& seen)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        bind();
        culler.draw(blocks, shader.get(), view, projection, seen);
        return readFrame();
    }

    const mat4 projection = mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
    const mat4 view = mat4::lookAtMatrix(vec3(0, 0, 3), vec3(0, 1, 0), vec3(0, 0, 0));
    std::unique_ptr<Shader> shader;
    std::unique_ptr<IsoSurface> balls[2];
};

} // namespace

TEST_F(ChunkCullerTest, ChunksOutsideTheWindowRectangleAreLeftOut)
{
    // Only the left half of the window: the chunks of x >= 1/7 project right of it.
    ChunkCuller culler;
    const int leftHalf[4] = {0, 0, 240, 320};
    const std::vector<ChunkCuller::Block> ball = {{balls[0].get(), vec3()}};
    const auto culled = drawCulled(culler, ball, Frustum(projection * view, leftHalf, 480, 320));
    EXPECT_EQ(culler.getDrawnChunks(), 4u);
    EXPECT_EQ(culler.getHiddenChunks(), 0u);
    const auto all = drawAll(ball);
    for (int y = 0; y < 320; y += 4)
        for (int x = 0; x < 240; x += 4)
            ASSERT_EQ(pixel(culled, x, y), pixel(all, x, y)) << x << "," << y;
    EXPECT_NE(pixel(all, 300, 160), pixel(culled, 300, 160)); // the right half of the ball
}

TEST_F(ChunkCullerTest, ChunksHiddenBehindWhatWasDrawnAreLeftOutAndThePictureStays)
{
    if (!OcclusionQueries().available())
        GTEST_SKIP() << "no occlusion queries in this GL";
    const Frustum seen(projection * view);
    // A ball 9 units away straight behind the first (3 away) is wholly hidden: its
    // boxes reach 0.15 rad off the axis, the first's outline over 0.22. Moved 4
    // aside (past 0.3 rad) it is wholly seen.
    const struct {
        vec3 behind;
        size_t hidden;
    } cases[] = {{vec3(0, 0, -6), 8}, {vec3(4, 0, -6), 0}};
    for (const auto& c : cases) {
        ChunkCuller culler;
        const std::vector<ChunkCuller::Block> blocks = {{balls[0].get(), vec3()}, {balls[1].get(), c.behind}};
        const auto culled = drawCulled(culler, blocks, seen);
        EXPECT_EQ(culler.getHiddenChunks(), c.hidden) << c.behind.x;
        EXPECT_EQ(culler.getDrawnChunks(), 16 - c.hidden) << c.behind.x;
        EXPECT_EQ(culled, drawAll(blocks)) << c.behind.x;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ChunkCullerTest, LaterDrawsGoByWhatTheLastOneDrewAndThePictureStays)
{
    if (!OcclusionQueries().available())
        GTEST_SKIP() << "no occlusion queries in this GL";
    // The second ball goes from aside to behind the first and back. Behind, it is
    // drawn untested once (it drew pixels last time), then, having drawn none,
    // tested and left out again; aside again, it is tested and drawn.
    const Frustum seen(projection * view);
    ChunkCuller culler;
    const vec3 aside(4, 0, -6), behind(0, 0, -6);
    const vec3 steps[] = {aside, behind, behind, aside};
    for (size_t s = 0; s < 4; ++s) {
        const std::vector<ChunkCuller::Block> blocks = {{balls[0].get(), vec3()}, {balls[1].get(), steps[s]}};
        const auto culled = drawCulled(culler, blocks, seen);
        EXPECT_EQ(culled, drawAll(blocks)) << "step " << s;
        if (s == 2) {
            EXPECT_GE(culler.getHiddenChunks(), 8u);
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
