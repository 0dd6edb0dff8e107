#include "graphics/ShaderSource.h"

#include "utils/Utils.h"

#include <cctype>

namespace vell {

namespace {

const std::string attributeKeyword = "attribute";

bool isIdentifier(const std::string& text)
{
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0])))
        return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

bool typeFromName(const std::string& name, DataType* type)
{
    static const struct {
        const char* name;
        DataType type;
    } types[] = {{"float", FLOAT}, {"vec2", VEC2}, {"vec3", VEC3}, {"vec4", VEC4}};
    for (const auto& entry : types) {
        if (name == entry.name) {
            *type = entry.type;
            return true;
        }
    }
    return false;
}

} // namespace

const char* const ShaderSource::fragmentPrefix = "precision highp float;\nprecision highp int;\n";

bool ShaderSource::parse(const char* text, const std::string& fileName)
{
    vertexSource.clear();
    fragmentSource = fragmentPrefix;
    attribs.clear();
    problem.clear();

    const std::string source = text ? text : "";
    std::string* target = nullptr; // lines before the first marker are dropped
    bool sawVert = false, sawFrag = false;
    int lineNumber = 0;
    size_t start = 0;
    while (start <= source.size()) {
        size_t end = source.find('\n', start);
        if (end == std::string::npos)
            end = source.size();
        const std::string line = source.substr(start, end - start);
        start = end + 1;
        ++lineNumber;

        if (line.empty())
            continue;
        if (line == "//[VERT]") {
            target = &vertexSource;
            sawVert = true;
        } else if (line == "//[FRAG]") {
            target = &fragmentSource;
            sawFrag = true;
        } else if (target) {
            if (!scanAttribute(line, fileName, lineNumber))
                return false;
            target->append(line);
            target->append("\n");
        }
    }
    // A stage without its marker has no main: nothing worth compiling. The
    // caller names the file as holding invalid code.
    return sawVert && sawFrag;
}

// A line mentioning "attribute" must read exactly "attribute <type> <name>;".
bool ShaderSource::scanAttribute(const std::string& line, const std::string& fileName, int lineNumber)
{
    if (line.find(attributeKeyword) == std::string::npos)
        return true;

    const size_t typeStart = attributeKeyword.size() + 1;
    const size_t typeEnd = line.find(' ', typeStart);
    const bool shaped = line.compare(0, typeStart, attributeKeyword + " ") == 0 &&
                        typeEnd != std::string::npos && typeEnd > typeStart &&
                        line.back() == ';' && typeEnd + 1 < line.size() - 1;
    const std::string name = shaped ? line.substr(typeEnd + 1, line.size() - 2 - typeEnd) : "";
    if (!shaped || !isIdentifier(name)) {
        problem = "Shader::load '" + fileName + "' line " + std::to_string(lineNumber) +
                  ": expected 'attribute <type> <name>;'";
        return false;
    }

    const std::string typeName = line.substr(typeStart, typeEnd - typeStart);
    DataType type;
    if (!typeFromName(typeName, &type)) {
        Log::error("Shader::load Unsupported attrib type:%s name:%s", typeName.c_str(), name.c_str());
        return false;
    }
    attribs.emplace_back(name, type);
    return true;
}

} // namespace vell
