#include "graphics/ShaderSource.h"

#include <gtest/gtest.h>

#include <string>

using vell::ShaderSource;
using vell::VEC2;
using vell::VEC3;

namespace {

const std::string prefix = "precision highp float;\nprecision highp int;\n";

struct Parsed {
    bool ok;
    std::string log;
};

Parsed parse(ShaderSource& source, const std::string& text)
{
    testing::internal::CaptureStdout();
    const bool ok = source.parse(text.c_str(), "test.glsl");
    return {ok, testing::internal::GetCapturedStdout()};
}

} // namespace

TEST(ShaderSource, SplitsStagesAndCollectsAttributesInFileOrder)
{
    ShaderSource source;
    const Parsed result = parse(source, "//[VERT]\n"
                                        "attribute vec3 position;\n"
                                        "attribute vec2 texCoord;\n"
                                        "\n"
                                        "void main() {}\n"
                                        "//[FRAG]\n"
                                        "void main() {}\n");
    ASSERT_TRUE(result.ok) << result.log;
    EXPECT_EQ(source.getVertexSource(), "attribute vec3 position;\nattribute vec2 texCoord;\nvoid main() {}\n");
    EXPECT_EQ(source.getFragmentSource(), prefix + "void main() {}\n");
    ASSERT_EQ(source.getAttribs().size(), 2u);
    EXPECT_EQ(source.getAttribs()[0].name, "position");
    EXPECT_EQ(source.getAttribs()[0].type, VEC3);
    EXPECT_EQ(source.getAttribs()[1].name, "texCoord");
    EXPECT_EQ(source.getAttribs()[1].type, VEC2);
}

TEST(ShaderSource, MarkersSwitchAgainAndTextBeforeTheFirstIsDropped)
{
    ShaderSource source;
    const Parsed result = parse(source, "attribute vec4 ignored;\n"
                                        "// header\n"
                                        "//[FRAG]\nf1\n//[VERT]\nv1\n//[FRAG]\nf2\n");
    ASSERT_TRUE(result.ok) << result.log;
    EXPECT_EQ(source.getVertexSource(), "v1\n");
    EXPECT_EQ(source.getFragmentSource(), prefix + "f1\nf2\n");
    EXPECT_TRUE(source.getAttribs().empty());
}

// A text without both markers fails with no problem text of its own (the
// caller logs the one "invalid code" line); so does an empty one.
TEST(ShaderSource, CarriageReturnOrByteOrderMarkMarkersAreNotMarkers)
{
    ShaderSource source;
    const Parsed result = parse(source, "//[VERT]\r\nattribute vec3 position;\r\n//[FRAG]\r\nvoid main() {}\r\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.log, "");
    EXPECT_EQ(source.getVertexSource(), "");
    EXPECT_EQ(source.getFragmentSource(), prefix);
    EXPECT_TRUE(source.getAttribs().empty());
    EXPECT_EQ(source.getProblem(), "");

    const Parsed marked = parse(source, "\xEF\xBB\xBF//[VERT]\nv1\n//[FRAG]\nf1\n");
    EXPECT_FALSE(marked.ok);
    EXPECT_EQ(source.getVertexSource(), "");
    EXPECT_EQ(source.getProblem(), "");

    EXPECT_FALSE(parse(source, "//[VERT]\nattribute vec3  position;\n//[FRAG]\n").ok);
    EXPECT_FALSE(parse(source, "//[VERT]\nvoid main() {}\n").ok) << "a problem left by an earlier text is cleared";
    EXPECT_EQ(source.getProblem(), "");
    EXPECT_FALSE(parse(source, "").ok);
    EXPECT_EQ(source.getProblem(), "");
    EXPECT_TRUE(parse(source, "//[FRAG]\n//[VERT]\n").ok);
}

TEST(ShaderSource, UnsupportedTypeIsReported)
{
    ShaderSource source;
    const Parsed result = parse(source, "//[VERT]\nattribute vec3 position;\nattribute mat4 bones;\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.log, "ERROR: Shader::load Unsupported attrib type:mat4 name:bones\n");
}

TEST(ShaderSource, MisshapenAttributeLinesAreRejectedWithFileAndLine)
{
    const char* const badLines[] = {
        "attribute",                    // shorter than the keyword and a space
        "attribute vec3",               // no name
        "attribute vec3 position",      // no semicolon
        "attribute  vec3 position;",    // two spaces: empty type
        "attribute vec3  position;",    // two spaces: name starts with a space
        "attribute vec3 position;\r",   // carriage return after the semicolon
        "  attribute vec3 position;",   // not at column 0
        "// attribute vec3 position;",  // a comment
        "varying vec3 attributeColor;", // the word inside another name
        "attribute vec3 ;",             // empty name
    };
    for (const char* bad : badLines) {
        ShaderSource source;
        const Parsed result = parse(source, std::string("//[VERT]\nvoid f();\n\n") + bad + "\n");
        EXPECT_FALSE(result.ok) << bad;
        EXPECT_EQ(source.getProblem(), "Shader::load 'test.glsl' line 4: expected 'attribute <type> <name>;'")
            << bad;
    }
}

