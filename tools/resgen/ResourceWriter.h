#pragma once

#include "Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

// Writes generated files into the output directory and remembers every image for the contact sheet.
class ResourceWriter {
public:
    struct Entry {
        std::string name;
        Image thumbnail;
    };

    explicit ResourceWriter(std::string directory);

    // An image made for content scale `scale` (pixels per point) goes to the file the
    // program reads at that scale (ScaledResource::scaledName); the contact sheet shows only the 1x ones.
    bool savePng(const std::string& name, const Image& image, int scale = 1);
    // JPEG has no alpha: the image is flattened onto black.
    bool saveJpg(const std::string& name, const Image& image, int quality, int scale = 1);
    bool saveBytes(const std::string& name, const std::vector<uint8_t>& bytes, int scale = 1);

    std::string pathOf(const std::string& name) const;
    const std::vector<Entry>& entries() const { return written; }
    bool ok() const { return failures == 0; }

private:
    void remember(const std::string& name, const Image& image);
    bool report(bool success, const std::string& name);

    std::string dir;
    std::vector<Entry> written;
    int failures = 0;
};

} // namespace resgen
