#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// An output file written under a fresh hidden name beside its target and moved
// into place by commit(), so a failed or abandoned write spares an older file
// of that name and leaves nothing of its own behind. The target is the file a
// final symbolic link names (see OutputTarget); only a regular file is replaced.
class StagedFile {
public:
    explicit StagedFile(std::string targetPath) : target(std::move(targetPath)) {}
    ~StagedFile() { discard(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Makes the empty temporary, with the mode a plainly created file would get.
    bool create(std::string* error);
    // Creates the temporary and writes the image into it.
    bool writePng(const std::vector<uint8_t>& rgba, int width, int height, std::string* error);
    // Creates the temporary and writes the text into it.
    bool writeText(const std::string& text, std::string* error);
    // Gives the temporary the target's name.
    bool commit(std::string* error);
    // Removes the temporary, if it is still there.
    void discard();

    const std::string& path() const { return target; }
    const std::string& resolvedPath() const { return resolved; }
    const std::string& tempPath() const { return temp; }

private:
    std::string failure(const std::string& reason) const;

    std::string target;   // as given, for messages
    std::string resolved; // where the file goes, set by create()
    std::string temp; // empty when there is none
};
