#pragma once

#include <string>
#include <vector>

// Resource file names that a piece of C++ source asks for. Each entry lists alternatives,
// any one of which satisfies it (a "%02d" name may be counted from 0 or from 1).
std::vector<std::vector<std::string>> referencedResources(const std::string& source);

// All regular files below `root` whose names end in .cpp or .h.
std::vector<std::string> sourceFilesBelow(const std::string& root);
