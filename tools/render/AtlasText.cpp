#include "AtlasText.h"

#include "ImageFile.h"
#include "ResourceFiles.h"

#include <filesystem>

namespace {

constexpr int kAtlasSize = 256;
constexpr size_t kCodes = 128;

std::string unreadable(const std::string& file, const std::string& path)
{
    std::error_code ec;
    return file + (std::filesystem::exists(path, ec) ? " cannot be read" : " is missing");
}

} // namespace

bool AtlasText::load(const std::string& font, std::string* file, std::string* problem)
{
    *file = font + ".png";
    const std::string atlasPath = ResourceFiles::binaryPath(*file);
    int w = 0, h = 0;
    if (!ImageFile::read(atlasPath, &atlas, &w, &h)) {
        *problem = unreadable(*file, atlasPath);
        return false;
    }
    if (w != kAtlasSize || h != kAtlasSize) {
        *problem = *file + " is " + std::to_string(w) + "x" + std::to_string(h) + " pixels, not 256x256";
        return false;
    }
    *file = font + ".dat";
    const std::string advancesPath = ResourceFiles::binaryPath(*file);
    if (!ResourceFiles::readFile(advancesPath, &advances)) {
        *problem = unreadable(*file, advancesPath);
        return false;
    }
    if (advances.size() < kCodes) {
        *problem = *file + " holds " + std::to_string(advances.size()) + " of the " + std::to_string(kCodes) +
                   " advance bytes";
        return false;
    }
    return true;
}

int AtlasText::width(const std::string& text) const
{
    int w = 0;
    for (unsigned char c : text)
        w += c < 128 ? static_cast<signed char>(advances[c]) + 1 : 0;
    return w;
}

void AtlasText::draw(std::vector<uint8_t>* rgba, int imageWidth, int imageHeight, int x, int y,
                     const std::string& text, const uint8_t rgb[3], int magnify) const
{
    int penX = x;
    for (unsigned char c : text) {
        if (c >= 128)
            continue;
        const int cellX = (c % 16) * kCell, cellY = (c / 16) * kCell;
        for (int j = 0; j < kCell * magnify; ++j)
            for (int i = 0; i < kCell * magnify; ++i) {
                const int px = penX + i, py = y + j;
                if (px < 0 || py < 0 || px >= imageWidth || py >= imageHeight)
                    continue;
                const int coverage = atlas[((cellY + j / magnify) * kAtlasSize + cellX + i / magnify) * 4 + 3];
                uint8_t* p = &(*rgba)[(static_cast<size_t>(py) * imageWidth + px) * 4];
                for (int k = 0; k < 3; ++k)
                    p[k] = static_cast<uint8_t>((rgb[k] * coverage + p[k] * (255 - coverage) + 127) / 255);
            }
        penX += (static_cast<signed char>(advances[c]) + 1) * magnify;
    }
}
