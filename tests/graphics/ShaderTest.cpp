#include "graphics/Shader.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"

#include <memory>
#include <string>

using vell::Shader;

namespace {

const char* const twoAttributes = "//[VERT]\n"
                                  "attribute vec3 normal;\n"
                                  "attribute vec3 position;\n"
                                  "void main() { gl_Position = vec4(position + normal, 1.0); }\n"
                                  "//[FRAG]\n"
                                  "uniform vec4 color;\n" // no precision of its own: the prefix supplies it
                                  "void main() { gl_FragColor = color; }\n";

class ShaderTest : public HeadlessGLTest {
protected:
    // Writes a shader into a subdirectory of scratch resources; returns its resource name.
    std::string writeShader(const std::string& name, const std::string& text)
    {
        scratch.put("shader-tests/" + name, text);
        return "shader-tests/" + name;
    }

    ScratchResources scratch;

    static GLuint currentProgram()
    {
        GLint program = 0;
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        return static_cast<GLuint>(program);
    }

    void TearDown() override
    {
        Shader::setReloadAll(false);
        glUseProgram(0);
        HeadlessGLTest::TearDown();
    }
};

} // namespace

TEST_F(ShaderTest, AttributesAreBoundInDeclarationOrder)
{
    std::unique_ptr<Shader> shader(Shader::fromFile(writeShader("two.glsl", twoAttributes).c_str(), false));
    ASSERT_TRUE(shader);
    ASSERT_TRUE(shader->isValid());
    ASSERT_EQ(shader->getAttribs().size(), 2u);
    shader->bind();
    const GLuint program = currentProgram();
    ASSERT_NE(program, 0u);
    EXPECT_EQ(glGetAttribLocation(program, "normal"), 0);
    EXPECT_EQ(glGetAttribLocation(program, "position"), 1);
    shader->unbind();
    EXPECT_EQ(currentProgram(), 0u);
}

TEST_F(ShaderTest, MissingAndBrokenFiles)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(Shader::fromFile("shader-tests/none.glsl", false), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Shader::fromFile failed to load 'shader-tests/none.glsl'\n");

    const std::string broken = writeShader("broken.glsl", "//[VERT]\nvoid main() { nonsense }\n//[FRAG]\n"
                                                          "void main() { gl_FragColor = vec4(1.0); }\n");
    testing::internal::CaptureStdout();
    std::unique_ptr<Shader> shader(Shader::fromFile(broken.c_str(), false));
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(shader);
    EXPECT_FALSE(shader->isValid());
    EXPECT_NE(log.find("ERROR: Shader::fromFile invalid code in '" + broken + "'"), std::string::npos);

    // An invalid shader binds nothing and its setters raise no GL error.
    std::unique_ptr<Shader> good(Shader::fromFile(writeShader("good.glsl", twoAttributes).c_str(), false));
    good->bind();
    const GLuint before = currentProgram();
    shader->bind();
    EXPECT_EQ(currentProgram(), before);
    shader->unbind();
    shader->set("color", vell::vec4(1, 0, 0, 1));
    shader->set("count", 3);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderTest, UnsupportedAttributeStopsBeforeCompiling)
{
    // The body does not compile: a compile would print the driver's log.
    const std::string name = writeShader("bones.glsl", "//[VERT]\nattribute mat4 bones;\nnot glsl\n");
    testing::internal::CaptureStdout();
    std::unique_ptr<Shader> shader(Shader::fromFile(name.c_str(), false));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Shader::load Unsupported attrib type:mat4 name:bones\n"
              "ERROR: Shader::fromFile invalid code in '" + name + "'\n");
    ASSERT_TRUE(shader);
    EXPECT_FALSE(shader->isValid());
}

// A file that does not parse is named in exactly one line, with no compiler log
// after it, and is not named again when loaded again. Without both markers
// (an empty file, lines ending in a carriage return) that line is fromFile's.
TEST_F(ShaderTest, UnparsableFilesAreNamedInOneLine)
{
    std::string crlf = twoAttributes;
    for (size_t p = crlf.find('\n'); p != std::string::npos; p = crlf.find('\n', p + 2))
        crlf.insert(p, "\r");
    std::string unmarked = twoAttributes;
    unmarked.erase(unmarked.find("//[FRAG]\n"), 9);
    const struct {
        const char* file;
        std::string text;
        const char* line; // after "ERROR: ", %s standing for the file's name
    } cases[] = {
        {"crlf.glsl", crlf, "Shader::fromFile invalid code in '%s'"},
        {"empty.glsl", "", "Shader::fromFile invalid code in '%s'"},
        {"unmarked.glsl", unmarked, "Shader::fromFile invalid code in '%s'"},
        {"spaced.glsl", "//[VERT]\nattribute vec3  position;\n//[FRAG]\n",
         "Shader::load '%s' line 2: expected 'attribute <type> <name>;'"},
    };
    for (const auto& c : cases) {
        const std::string name = writeShader(c.file, c.text);
        std::string expected = c.line;
        expected.replace(expected.find("%s"), 2, name);
        testing::internal::CaptureStdout();
        std::unique_ptr<Shader> shader(Shader::fromFile(name.c_str(), false));
        std::unique_ptr<Shader> again(Shader::fromFile(name.c_str(), false));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: " + expected + "\n");
        ASSERT_TRUE(shader);
        EXPECT_FALSE(shader->isValid());
        EXPECT_TRUE(shader->getAttribs().empty());
    }
}

TEST_F(ShaderTest, ReloadOnEveryTwelfthBindKeepsLocationsInFileOrder)
{
    const std::string name = writeShader("reload.glsl", twoAttributes);
    std::unique_ptr<Shader> shader(Shader::fromFile(name.c_str(), true));
    ASSERT_TRUE(shader && shader->isValid());

    // The edited file swaps the declarations and adds one.
    writeShader("reload.glsl", "//[VERT]\n"
                               "attribute vec3 position;\n"
                               "attribute vec2 texCoord0;\n"
                               "attribute vec3 normal;\n"
                               "void main() { gl_Position = vec4(position + normal, texCoord0.x); }\n"
                               "//[FRAG]\n"
                               "void main() { gl_FragColor = vec4(1.0); }\n");
    testing::internal::CaptureStdout();
    for (int i = 0; i < 11; ++i)
        shader->bind();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(shader->getAttribs()[0].name, "normal");

    testing::internal::CaptureStdout();
    shader->bind();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Reloading " + name + "\n");
    ASSERT_TRUE(shader->isValid());
    ASSERT_EQ(shader->getAttribs().size(), 3u);
    const GLuint program = currentProgram();
    EXPECT_EQ(glGetAttribLocation(program, "position"), 0);
    EXPECT_EQ(glGetAttribLocation(program, "texCoord0"), 1);
    EXPECT_EQ(glGetAttribLocation(program, "normal"), 2);

    testing::internal::CaptureStdout();
    for (int i = 0; i < 12; ++i)
        shader->bind();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Reloading " + name + "\n") << "24th bind";
}

TEST_F(ShaderTest, ReloadOfAFileThatNoLongerParsesKeepsTheWorkingProgram)
{
    const std::string name = writeShader("stale.glsl", twoAttributes);
    std::unique_ptr<Shader> shader(Shader::fromFile(name.c_str(), true));
    ASSERT_TRUE(shader && shader->isValid());
    shader->bind();
    const GLuint program = currentProgram();

    writeShader("stale.glsl", "//[VERT]\nattribute mat4 bones;\n");
    testing::internal::CaptureStdout();
    for (int i = 0; i < 11; ++i)
        shader->bind();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Reloading " + name + "\nERROR: Shader::load Unsupported attrib type:mat4 name:bones\n");

    // The program and the attribute list that its locations were bound from stay together.
    EXPECT_TRUE(shader->isValid());
    EXPECT_EQ(currentProgram(), program);
    ASSERT_EQ(shader->getAttribs().size(), 2u);
    EXPECT_EQ(shader->getAttribs()[0].name, "normal");
    EXPECT_EQ(shader->getAttribs()[1].name, "position");
}

TEST_F(ShaderTest, ReloadAllSwitchCoversFileShadersOnly)
{
    const std::string name = writeShader("all.glsl", twoAttributes);
    std::unique_ptr<Shader> fromFile(Shader::fromFile(name.c_str(), false));
    Shader inlineShader;
    ASSERT_TRUE(inlineShader.load(twoAttributes));

    testing::internal::CaptureStdout();
    for (int i = 0; i < 12; ++i)
        fromFile->bind();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    Shader::setReloadAll(true);
    testing::internal::CaptureStdout();
    for (int i = 0; i < 12; ++i) {
        fromFile->bind();
        inlineShader.bind();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Reloading " + name + "\n");
    EXPECT_TRUE(fromFile->isValid());
}

TEST_F(ShaderTest, ReloadNowRebuildsEachFileShaderOnceOnItsNextBind)
{
    const std::string name = writeShader("now.glsl", twoAttributes);
    std::unique_ptr<Shader> older(Shader::fromFile(name.c_str(), false));
    Shader::reloadAllNow();
    std::unique_ptr<Shader> newer(Shader::fromFile(name.c_str(), false)); // already current
    Shader inlineShader;
    ASSERT_TRUE(inlineShader.load(twoAttributes));

    testing::internal::CaptureStdout();
    for (int i = 0; i < 3; ++i) {
        older->bind();
        newer->bind();
        inlineShader.bind();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Reloading " + name + "\n");
    EXPECT_TRUE(older->isValid());
}
