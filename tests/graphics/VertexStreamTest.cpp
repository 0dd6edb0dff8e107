#include "graphics/VertexStream.h"

#include <gtest/gtest.h>

#include <GLES2/gl2.h>

using vell::VertexAttrib;
using vell::VertexStream;

TEST(VertexStream, AddAttribMatchesNameAndType)
{
    VertexStream stream;
    VertexAttrib* normal = stream.addAttrib("normal", vell::VEC3);
    EXPECT_EQ(stream.addAttrib("normal", vell::VEC3), normal);
    VertexAttrib* normal4 = stream.addAttrib("normal", vell::VEC4);
    EXPECT_NE(normal4, normal);
    EXPECT_EQ(stream.getAttrib("normal", vell::VEC3), normal);
    EXPECT_EQ(stream.getAttrib("normal", vell::VEC4), normal4);
    EXPECT_EQ(stream.getAttrib("normal", vell::VEC2), nullptr);
    EXPECT_EQ(stream.getAttribs().size(), 2u);
    EXPECT_EQ(stream.getIndexType(), static_cast<unsigned int>(GL_UNSIGNED_SHORT));
}

TEST(VertexStream, LateAttributesAreSizedAndZeroFilled)
{
    VertexStream stream;
    stream.setNumVertices(4);
    VertexAttrib* uv = stream.addAttrib("texCoord0", vell::VEC2);
    EXPECT_EQ(uv->getNumVertices(), 4u);
    ASSERT_NE(uv->getBuffer(), nullptr);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(uv->getBuffer()[i], 0.0f);
    EXPECT_EQ(uv->getSize(), 2u);
}

TEST(VertexStream, GrowingKeepsValuesAndShrinkingTruncates)
{
    VertexStream stream;
    VertexAttrib* position = stream.addAttrib("position", vell::VEC3);
    VertexAttrib* weight = stream.addAttrib("weight", vell::FLOAT);
    stream.setNumVertices(2);
    for (int i = 0; i < 6; ++i)
        position->getBuffer()[i] = static_cast<float>(i + 1);
    weight->getBuffer()[1] = 7.0f;

    stream.setNumVertices(3);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(position->getBuffer()[i], i + 1);
    for (int i = 6; i < 9; ++i)
        EXPECT_EQ(position->getBuffer()[i], 0.0f);
    EXPECT_EQ(weight->getBuffer()[1], 7.0f);
    EXPECT_EQ(weight->getBuffer()[2], 0.0f);

    stream.setNumVertices(1);
    EXPECT_EQ(position->getNumVertices(), 1u);
    EXPECT_EQ(position->getBuffer()[2], 3.0f);
    stream.setNumVertices(2);
    EXPECT_EQ(position->getBuffer()[3], 0.0f) << "truncated values must not come back";

    EXPECT_EQ(stream.getIndices(), nullptr);
    stream.setNumIndices(2);
    stream.getIndices()[1] = 9;
    stream.setNumIndices(4);
    EXPECT_EQ(stream.getIndices()[1], 9);
    EXPECT_EQ(stream.getIndices()[3], 0);
}

TEST(VertexStream, EmptyAndUnsupportedAttributesHoldNoData)
{
    VertexStream stream;
    EXPECT_EQ(stream.addAttrib("position", vell::VEC3)->getBuffer(), nullptr);

    testing::internal::CaptureStdout();
    VertexAttrib* odd = stream.addAttrib("odd", static_cast<vell::DataType>(9));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Vertex AttribType have to be float, vec2, vec3 or vec4\n");
    stream.setNumVertices(5);
    EXPECT_EQ(odd->getSize(), 0u);
    EXPECT_EQ(odd->getBuffer(), nullptr);
    EXPECT_EQ(odd->getDataType(), 9);
    EXPECT_EQ(odd->getVertexAttribType(), "odd");
}
