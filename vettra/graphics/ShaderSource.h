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

    // False on an unsupported attribute type (logged here), or on a text without
    // both marker lines or with a malformed attribute line: getProblem() then
    // holds the message, naming fileName, for the caller to log.
    bool parse(const char* text, const std::string& fileName);

    const std::string& getProblem() const { return problem; }

    const std::string& getVertexSource() const { return vertexSource; }
    const std::string& getFragmentSource() const { return fragmentSource; }
    const std::vector<VertexAttribDeclaration>& getAttribs() const { return attribs; }

private:
    bool scanAttribute(const std::string& line, const std::string& fileName, int lineNumber);
    static std::string missingMarker(const std::string& source, const std::string& fileName,
                                     const char* marker);

    std::string vertexSource;
    std::string fragmentSource;
    std::vector<VertexAttribDeclaration> attribs;
    std::string problem;
};

} // namespace vell
