// Shader files: every accepted attribute is a known type with an identifier name,
// one per "attribute" line under a marker, and the marker lines never reach a stage.
#include "FuzzSupport.h"
#include "graphics/ShaderSource.h"

#include <cctype>
#include <cstring>

namespace {

bool isIdentifier(const std::string& s)
{
    if (s.empty() || isdigit(static_cast<unsigned char>(s[0])))
        return false;
    for (char c : s) {
        if (!isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

bool hasLine(const std::string& source, const std::string& line)
{
    return source == line || source.compare(0, line.size() + 1, line + "\n") == 0 ||
           source.find("\n" + line + "\n") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzResourceDir(); // silences the log
    const std::string text(reinterpret_cast<const char*>(data), size);
    vell::ShaderSource source;
    if (!source.parse(text.c_str(), "fuzz.glsl"))
        return 0;

    const std::string& vert = source.getVertexSource();
    const std::string& frag = source.getFragmentSource();
    FUZZ_CHECK(frag.compare(0, strlen(vell::ShaderSource::fragmentPrefix), vell::ShaderSource::fragmentPrefix) == 0);
    FUZZ_CHECK(vert.size() + frag.size() <= text.size() + strlen(vell::ShaderSource::fragmentPrefix) + 1);
    FUZZ_CHECK(!hasLine(vert, "//[VERT]") && !hasLine(vert, "//[FRAG]"));

    size_t attributeLines = 0;
    for (const std::string* stage : {&vert, &frag}) {
        for (size_t at = stage->find("attribute "); at != std::string::npos; at = stage->find("attribute ", at + 1)) {
            if (at == 0 || (*stage)[at - 1] == '\n')
                ++attributeLines;
        }
    }
    FUZZ_CHECK(source.getAttribs().size() == attributeLines);
    for (const vell::VertexAttribDeclaration& a : source.getAttribs()) {
        FUZZ_CHECK(a.type >= vell::FLOAT && a.type <= vell::VEC4);
        FUZZ_CHECK(isIdentifier(a.name));
    }
    return 0;
}
