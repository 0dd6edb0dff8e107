#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Text in the demo's bitmap font (16x16 glyph cells in a 256x256 atlas, one
// advance byte per character), drawn on the CPU into RGBA images.
class AtlasText {
public:
    // Loads "<font>.png" and "<font>.dat" from the resource directory. When one
    // is unusable, *file is its name and *problem says so, naming it.
    bool load(const std::string& font, std::string* file, std::string* problem);

    int width(const std::string& text) const;
    // Blends text in colour rgb with its cell tops at row y, each atlas pixel
    // a block of magnify x magnify pixels (the text magnify times width() wide).
    void draw(std::vector<uint8_t>* rgba, int imageWidth, int imageHeight, int x, int y,
              const std::string& text, const uint8_t rgb[3], int magnify = 1) const;

    static constexpr int kCell = 16;

private:
    std::vector<uint8_t> atlas; // RGBA, 256x256
    std::string advances;
};
