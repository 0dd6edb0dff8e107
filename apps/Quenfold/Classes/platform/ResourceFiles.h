#pragma once

#include <string>
#include <vector>

// Where resource names resolve. The directory is the first of these that exists:
// "resources" next to the executable (or next to its parent directory, for tests
// and benchmarks: the build folder), ../share/quenfold from the executable's real
// path (an installed tree), the data directory fixed when the build was configured.
// QUENFOLD_RESOURCES=DIR, when set, is the only place looked in.
class ResourceFiles {
public:
    static const std::string& directory();
    static void setDirectory(const std::string& dir);
    // Every place looked in, in order.
    static std::vector<std::string> candidates();
    // False, with one line naming every place looked in, when none of them exists.
    static bool found(std::string* error);
    // One start-up line, so a program reading the wrong directory shows it.
    static void logDirectory();

    // Binary files are found by base name and extension; the directory part is dropped.
    // Empty when the name ends without a file name (such as "", "dir/" or "..").
    static std::string binaryPath(const std::string& name);
    // Text files keep their directory part, relative to the resource directory.
    // Empty when the name is absolute, climbs out of the resource directory or names
    // the directory itself (such as "a/..").
    static std::string textPath(const std::string& name);

    static bool readFile(const std::string& path, std::string* contents);
};
