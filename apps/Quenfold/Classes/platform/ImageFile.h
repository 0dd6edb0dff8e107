#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG files of frames: RGBA pixels, top row first.
class ImageFile {
public:
    // Writes an opaque RGB image (alpha is dropped). On failure removes what it
    // wrote, puts the reason in *reason and returns false.
    static bool writePng(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                         int height, std::string* reason = nullptr);
    // Reads a PNG or JPEG as RGBA (not premultiplied); false on failure, a file cut short included.
    static bool read(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height);
};
