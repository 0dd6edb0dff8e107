#include "support/ScratchResources.h"
#include "toolkit/GeometryGroup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using vell::Geometry;

namespace {

std::vector<float> stream(const Geometry& g, const char* name)
{
    const vell::VertexAttrib* attrib = g.getAttrib(name, vell::VEC3);
    if (!attrib || !attrib->getBuffer())
        return {};
    return std::vector<float>(attrib->getBuffer(), attrib->getBuffer() + attrib->getNumVertices() * 3);
}

std::vector<uint16_t> indices(const Geometry& g)
{
    return std::vector<uint16_t>(g.getIndices(), g.getIndices() + g.getNumIndices());
}

std::vector<uint16_t> edges(const Geometry& g)
{
    return std::vector<uint16_t>(g.getEdgeIndices(), g.getEdgeIndices() + g.getNumEdgeIndices());
}

// Parses text with the log captured; what parse skipped goes to *problems.
std::unique_ptr<GeometryGroup> parse(const std::string& text, std::string* log = nullptr,
                                     std::string* problems = nullptr)
{
    testing::internal::CaptureStdout();
    std::unique_ptr<GeometryGroup> group(GeometryGroup::parse(text, problems));
    const std::string out = testing::internal::GetCapturedStdout();
    if (log)
        *log = out;
    return group;
}

const char* triangleWithNormals = "v 0 0 0\nv 2 0 0\nv 0 3 0\nv 2 3 0\nvn 1 0 0\nvn 0 1 0\nvn 0 0 -1\n";

} // namespace

TEST(GeometryGroup, EveryFaceFormGivesTheFirstThreeCornersByPosition)
{
    for (const char* face : {"f 1//1 2//2 3//3", "f 1/4/7 2/5/8 3/6/9", "f 1 2 3 4", "f 1 2 3\r"}) {
        SCOPED_TRACE(face);
        const auto group = parse(std::string(triangleWithNormals) + "vt 0 0\ns off\n" + face + "\n");
        ASSERT_EQ(group->getChildren().size(), 1u);
        const Geometry& g = *group->getChildren()[0];
        EXPECT_EQ(g.getPrimitiveType(), Geometry::TRIANGLES);
        EXPECT_EQ(g.getAttribs().size(), 3u); // no texCoord0
        EXPECT_EQ(stream(g, "position"), (std::vector<float>{0, 0, 0, 2, 0, 0, 0, 3, 0}));
        EXPECT_EQ(stream(g, "normal"), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1}));
        EXPECT_EQ(stream(g, "normal2"), (std::vector<float>{1, 0, 0, 0, 1, 0, 0, 0, -1}));
        EXPECT_EQ(indices(g), (std::vector<uint16_t>{0, 1, 2}));
        EXPECT_EQ(edges(g), (std::vector<uint16_t>{0, 1, 1, 2, 2, 0}));
    }
}

TEST(GeometryGroup, ObjectsSplitChildrenWhileIndicesStayGlobal)
{
    std::string log, problems;
    const auto group = parse("v 0 0 0\nv 1 0 0\nv 0 1 0\no first\nf 1 2 3\n\n\nv 0 0 5\no second\nf 4 2 3\nf 1 2 4\n",
                             &log, &problems);
    EXPECT_EQ(log, "GeometryGroup::parse 9 lines\n");
    EXPECT_EQ(problems, "");
    ASSERT_EQ(group->getChildren().size(), 2u);
    const Geometry& first = *group->getChildren()[0];
    const Geometry& second = *group->getChildren()[1];
    EXPECT_EQ(first.getNumVertices(), 3u);
    ASSERT_EQ(second.getNumVertices(), 6u);
    EXPECT_EQ(indices(second), (std::vector<uint16_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(edges(second), (std::vector<uint16_t>{0, 1, 1, 2, 2, 0, 3, 4, 4, 5, 5, 3}));
    const std::vector<float> p = stream(second, "position");
    EXPECT_EQ(std::vector<float>(p.begin(), p.begin() + 9), (std::vector<float>{0, 0, 5, 1, 0, 0, 0, 1, 0}));
    // (1, 0, -5) x (0, 1, -5) = (5, 5, 1)
    const float s = 1 / std::sqrt(51.0f);
    const std::vector<float> n = stream(second, "normal");
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(n[i * 3], 5 * s, 1e-6);
        EXPECT_NEAR(n[i * 3 + 1], 5 * s, 1e-6);
        EXPECT_NEAR(n[i * 3 + 2], s, 1e-6);
    }
    // No vn lines: normal2 is all zero.
    EXPECT_EQ(stream(second, "normal2"), std::vector<float>(18, 0.0f));
}

TEST(GeometryGroup, CommentsOnlyGiveOneEmptyChildAndCollinearFacesAZeroNormal)
{
    std::string problems;
    const auto empty = parse("# nothing\n# here\n", nullptr, &problems);
    EXPECT_EQ(problems, "no faces to draw");
    ASSERT_EQ(empty->getChildren().size(), 1u);
    EXPECT_EQ(empty->getChildren()[0]->getNumVertices(), 0u);
    EXPECT_EQ(empty->getChildren()[0]->getNumIndices(), 0u);

    const auto line = parse("v 0 0 0\nv 1 1 1\nv 2 2 2\nf 1 2 3\n");
    EXPECT_EQ(stream(*line->getChildren()[0], "normal"), std::vector<float>(9, 0.0f));
}

TEST(GeometryGroup, FacesWithUnusableIndicesAreSkippedAndReportedOnce)
{
    std::string problems;
    const auto group = parse("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\n"
                             "f 1 2 3\n"
                             "\n"
                             "f 0 1 2\n"    // line 7: zero
                             "f -1 2 3\n"   // negative
                             "f 1 2 4\n"    // past the positions read so far
                             "f 1 2\n"      // a corner missing
                             "f a/1 2 3\n"  // not a number
                             "f 3 2 1\n"
                             "v 5 5 5\n"
                             "f 1 2 4\n",
                             nullptr, &problems);
    EXPECT_EQ(problems, "faces with bad indices skipped, first at line 7");
    ASSERT_EQ(group->getChildren().size(), 1u);
    const Geometry& g = *group->getChildren()[0];
    EXPECT_EQ(indices(g), (std::vector<uint16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    const std::vector<float> p = stream(g, "position");
    EXPECT_EQ(std::vector<float>(p.begin() + 24, p.end()), (std::vector<float>{5, 5, 5}));
    // One vertex normal for four positions: the corners past it get zero.
    EXPECT_EQ(stream(g, "normal2"),
              (std::vector<float>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(GeometryGroup, FromObjFileReadsAResourceOrLogsAndReturnsNull)
{
    ScratchResources scratch;
    scratch.put("tri.obj", "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n");
    std::unique_ptr<GeometryGroup> group(GeometryGroup::fromObjFile("tri.obj"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->getChildren()[0]->getNumVertices(), 3u);

    testing::internal::CaptureStdout();
    EXPECT_EQ(GeometryGroup::fromObjFile("missing.obj"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: GeomGroup::fromObjFile failed to load 'missing.obj'\n");
}

// Whatever is wrong with a model goes into one line naming it, once per process.
TEST(GeometryGroup, ABrokenModelIsNamedInOneLineWithEverythingWrongWithIt)
{
    ScratchResources scratch;
    scratch.put("empty.obj", "");
    scratch.put("broken.obj", "v 0 0 nan\nv 2 0 0\nv 0 3 -inf\nvn nan 1 1e39\nf 1 2 3\nf 1 2 9\n");
    testing::internal::CaptureStdout();
    std::unique_ptr<GeometryGroup> empty(GeometryGroup::fromObjFile("empty.obj"));
    std::unique_ptr<GeometryGroup> broken(GeometryGroup::fromObjFile("broken.obj"));
    std::unique_ptr<GeometryGroup> again(GeometryGroup::fromObjFile("broken.obj"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "GeometryGroup::parse 0 lines\n"
              "ERROR: GeomGroup::fromObjFile 'empty.obj': no faces to draw\n"
              "GeometryGroup::parse 6 lines\n"
              "ERROR: GeomGroup::fromObjFile 'broken.obj': numbers that are not finite read as 0, first at line 1; "
              "faces with bad indices skipped, first at line 6\n"
              "GeometryGroup::parse 6 lines\n");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getChildren()[0]->getNumVertices(), 0u);
    // The non-finite numbers read as 0: the face still has its normal (0, 0, 6) / 6.
    const Geometry& g = *broken->getChildren()[0];
    EXPECT_EQ(stream(g, "position"), (std::vector<float>{0, 0, 0, 2, 0, 0, 0, 3, 0}));
    EXPECT_EQ(stream(g, "normal"), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(stream(g, "normal2"), (std::vector<float>{0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

// 21845 faces fill 65535 vertices; the next face of the object would wrap, the next object starts afresh.
TEST(GeometryGroup, AnObjectStopsAtWhatSixteenBitIndicesAddress)
{
    std::string text = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int i = 0; i < 21846; ++i)
        text += "f 1 2 3\n";
    text += "o second\nf 3 2 1\n";
    std::string problems;
    const auto group = parse("o first\n" + text, nullptr, &problems);
    EXPECT_EQ(problems, "faces past 65536 vertices of an object dropped, first at line 21850");
    ASSERT_EQ(group->getChildren().size(), 2u);
    EXPECT_EQ(group->getChildren()[0]->getNumVertices(), 65535u);
    EXPECT_EQ(group->getChildren()[1]->getNumVertices(), 3u);
}
