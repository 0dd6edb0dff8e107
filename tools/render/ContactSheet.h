#pragma once

#include "AtlasText.h"

#include <cstdint>
#include <string>
#include <vector>

// Frames side by side at half size, each labelled (with its demo time, or the
// name of the effect drawn).
// The layout is in points: at content scale S every size below has S times
// the pixels (a 960x640 frame gives a 480x320 thumbnail), so the sheet keeps
// the frames' sharpness and looks the same, only larger.
class ContactSheet {
public:
    static constexpr int kColumns = 5; // at most
    static constexpr int kThumbWidth = 240;
    static constexpr int kThumbHeight = 160;
    static constexpr int kLabelHeight = 20;
    static constexpr int kMargin = 8;

    ContactSheet(int cellCount, int contentScale);

    // Places frame (480S x 320S RGBA, top row first) in the next cell.
    void add(const std::vector<uint8_t>& frame, const std::string& label);
    // Through a temporary, so a failed write keeps an older sheet of that name.
    bool write(const std::string& path, std::string* error) const;

    int width() const { return sheetWidth; }
    int height() const { return sheetHeight; }
    const std::vector<uint8_t>& pixels() const { return sheet; }

private:
    int scale;
    int columns;
    int sheetWidth;
    int sheetHeight;
    int cells = 0;
    std::vector<uint8_t> sheet;
    AtlasText font;
    bool hasFont;
};
