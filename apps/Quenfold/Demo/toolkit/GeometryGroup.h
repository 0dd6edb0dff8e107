#pragma once

#include "geom/Geometry.h"

#include <memory>
#include <string>
#include <vector>

// The objects of an OBJ model, each a flat-shaded triangle mesh: three unshared
// vertices per face with the face normal in "normal", the file's vertex normals
// (looked up by position index) in "normal2", and every triangle edge.
class GeometryGroup {
public:
    using Children = std::vector<std::unique_ptr<vell::Geometry>>;

    // Null (and a log line) when the resource cannot be read; the caller owns the
    // group. What parse reports of a file is logged in one line naming it, once
    // per process.
    static GeometryGroup* fromObjFile(const char* fileName);
    // Never fails: unknown lines are skipped, faces with unusable indices too.
    // What it skipped or could not read goes to *problems as one phrase, empty
    // when the text was sound.
    static GeometryGroup* parse(const std::string& text, std::string* problems = nullptr);

    Children& getChildren() { return children; }
    const Children& getChildren() const { return children; }

private:
    Children children;
};
