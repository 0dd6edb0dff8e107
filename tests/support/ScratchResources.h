#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A temporary resource directory, current for the object's lifetime.
class ScratchResources {
public:
    ScratchResources();
    ~ScratchResources();
    ScratchResources(const ScratchResources&) = delete;
    ScratchResources& operator=(const ScratchResources&) = delete;

    void put(const std::string& name, const std::string& bytes) const;
    // Writes an RGBA PNG (not premultiplied), top row first.
    void putImage(const std::string& name, int width, int height, const std::vector<uint8_t>& rgba) const;
    const std::filesystem::path& path() const { return dir; }

private:
    std::string saved;
    std::filesystem::path dir;
};
