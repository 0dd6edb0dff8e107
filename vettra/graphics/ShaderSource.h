#pragma once

#include "graphics/VertexAttribDeclaration.h"

#include <string>
#include <vector>

namespace vell {

// Splits a single-file shader into its vertex and fragment sources at the
// "//[VERT]" and "//[FRAG]" marker lines and collects the attribute
// declarations in file order. No GL involved.
class ShaderSource {
public:
    static const char* const fragmentPrefix;

    // False on an unsupported attribute type (logged here), on a malformed
    // attribute line (getProblem() then holds the message, naming fileName, for
    // the caller to log), or on a text without both marker lines, an empty one
    // included (no problem text: the caller's "invalid code" line names it).
    bool parse(const char* text, const std::string& fileName);

    const std::string& getProblem() const { return problem; }

    const std::string& getVertexSource() const { return vertexSource; }
    const std::string& getFragmentSource() const { return fragmentSource; }
    const std::vector<VertexAttribDeclaration>& getAttribs() const { return attribs; }

private:
    bool scanAttribute(const std::string& line, const std::string& fileName, int lineNumber);

    std::string vertexSource;
    std::string fragmentSource;
    std::vector<VertexAttribDeclaration> attribs;
    std::string problem;
};

} // namespace vell
