#pragma once

#include <string>

// The file an output is written to. Outputs are made under a hidden name and
// renamed into place, so the name must lead to a regular file or to none: a
// final symbolic link is followed to the file it names (made if need be), and
// a device, a pipe or a folder is refused rather than replaced.
class OutputTarget {
public:
    // The name with its final symbolic links followed; a dangling link gives
    // the file it would make.
    static std::string resolve(const std::string& path);
    // Checked before rendering: false with a one-line reason when path names
    // something other than a regular file, the program's data output (the
    // descriptor dataOutput) or standard error (whose lines a new file would
    // lose), or a file in a folder that cannot be written.
    static bool check(const std::string& path, int dataOutput, std::string* error);
    // True when the resolved name is free or a regular file: all a rename may replace.
    static bool isReplaceable(const std::string& resolved);
};
