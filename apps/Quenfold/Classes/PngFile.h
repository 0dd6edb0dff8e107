#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG files of frames: RGBA pixels, top row first.
class PngFile {
public:
    // Writes an opaque RGB image (alpha is dropped); false on failure.
    static bool writeOpaque(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                            int height);
    // Reads an image as RGBA (not premultiplied); false on failure.
    static bool read(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height);
};
