#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The --out directory of a run: made with any missing parents and checked for
// writing without touching files already there. A failed run takes away every
// directory it made.
class OutputDirectory {
public:
    // False when the directory cannot be made or written to.
    bool prepare(const std::string& dir);
    // Removes the directories this run made, deepest first, while they are empty.
    void removeCreated() const;
    // True when dir exists and a file can be made in it (tried with a fresh name).
    static bool isWritable(const std::filesystem::path& dir);

private:
    std::vector<std::filesystem::path> created; // deepest first
};
