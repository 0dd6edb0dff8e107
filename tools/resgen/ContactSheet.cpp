#include "ContactSheet.h"

#include "FontFiles.h"
#include "TypeFace.h"

namespace resgen {

namespace {

constexpr int cellW = 160;
constexpr int cellH = 140;
constexpr int columns = 8;
constexpr int thumbArea = 112;

} // namespace

Image ContactSheet::compose(const ResourceWriter& written)
{
    const auto& entries = written.entries();
    const int rows = static_cast<int>((entries.size() + columns - 1) / columns);
    Image sheet(cellW * columns, cellH * rows, {0.12f, 0.12f, 0.14f, 1});
    TypeFace label(sansFont, 10);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int cx = static_cast<int>(i % columns) * cellW;
        const int cy = static_cast<int>(i / columns) * cellH;
        const Image& thumb = entries[i].thumbnail;
        const int x = cx + (cellW - thumb.width()) / 2;
        const int y = cy + 6 + (thumbArea - thumb.height()) / 2;
        for (int j = 0; j < thumb.height(); ++j)
            for (int k = 0; k < thumb.width(); ++k) {
                const float v = ((j / 8 + k / 8) % 2) ? 0.3f : 0.22f;
                sheet.at(x + k, y + j) = {v, v, v, 1};
            }
        sheet.draw(thumb, x, y);
        std::string name = entries[i].name;
        while (name.size() > 4 && label.textWidth(name) > cellW - 6)
            name = name.substr(0, name.size() - 4) + "..";
        label.drawText(sheet, cx + (cellW - label.textWidth(name)) / 2, cy + thumbArea + 22, name, {0.9f, 0.9f, 0.9f, 1});
    }
    return sheet;
}

} // namespace resgen
