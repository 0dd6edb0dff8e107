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

    // fileName only names the source in error messages. Returns false (and logs)
    // on an unsupported attribute type or a malformed attribute line.
    bool parse(const char* text, const std::string& fileName);

    const std::string& getVertexSource() const { return vertexSource; }
    const std::string& getFragmentSource() const { return fragmentSource; }
    const std::vector<VertexAttribDeclaration>& getAttribs() const { return attribs; }

private:
    bool scanAttribute(const std::string& line, const std::string& fileName, int lineNumber);
    static void reportMissingMarker(const std::string& source, const std::string& fileName,
                                    const char* marker);

    std::string vertexSource;
    std::string fragmentSource;
    std::vector<VertexAttribDeclaration> attribs;
};

} // namespace vell
