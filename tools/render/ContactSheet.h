#pragma once

#include "AtlasText.h"

#include <cstdint>
#include <string>
#include <vector>

// Frames of a run side by side at half size, each labelled with its demo time.
class ContactSheet {
public:
    static constexpr int kColumns = 5; // at most
    static constexpr int kThumbWidth = 240;
    static constexpr int kThumbHeight = 160;
    static constexpr int kLabelHeight = 20;
    static constexpr int kMargin = 8;

    explicit ContactSheet(int cellCount);

    // Places frame (480x320 RGBA, top row first) in the next cell.
    void add(const std::vector<uint8_t>& frame, double time);
    // Through a temporary, so a failed write keeps an older sheet of that name.
    bool write(const std::string& path, std::string* error) const;

    int width() const { return sheetWidth; }
    int height() const { return sheetHeight; }
    const std::vector<uint8_t>& pixels() const { return sheet; }

private:
    int columns;
    int sheetWidth;
    int sheetHeight;
    int cells = 0;
    std::vector<uint8_t> sheet;
    AtlasText font;
    bool hasFont;
};
