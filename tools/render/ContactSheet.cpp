#include "ContactSheet.h"

#include "StagedFile.h"
#include "utils/FileReports.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint8_t kBackground = 24;
const uint8_t kLabelColor[3] = {235, 235, 235};

} // namespace

ContactSheet::ContactSheet(int cellCount, int contentScale)
    : scale(contentScale), columns(std::max(1, std::min(cellCount, kColumns))),
      sheetWidth(scale * (columns * (kThumbWidth + kMargin) + kMargin)),
      sheetHeight(scale * (((cellCount + columns - 1) / columns) * (kThumbHeight + kLabelHeight + kMargin) + kMargin)),
      sheet(static_cast<size_t>(sheetWidth) * sheetHeight * 4, kBackground)
{
    for (size_t i = 3; i < sheet.size(); i += 4)
        sheet[i] = 255;
    std::string fontFile, fontProblem;
    hasFont = font.load("FontSupernatural", &fontFile, &fontProblem);
    // A file the demo's own loaders have named already is not named twice.
    if (!hasFont && vell::FileReports::isFirst(fontFile))
        fprintf(stderr, "quenfold-render: %s; the contact sheet has no labels\n", fontProblem.c_str());
    else if (!hasFont)
        fprintf(stderr, "quenfold-render: the font FontSupernatural is unusable; the contact sheet has no labels\n");
}

void ContactSheet::add(const std::vector<uint8_t>& frame, const std::string& label)
{
    const int x0 = scale * (kMargin + (cells % columns) * (kThumbWidth + kMargin));
    const int y0 = scale * (kMargin + (cells / columns) * (kThumbHeight + kLabelHeight + kMargin));
    const int thumbWidth = scale * kThumbWidth, thumbHeight = scale * kThumbHeight;
    ++cells;
    if (y0 + thumbHeight + scale * kLabelHeight > sheetHeight)
        return;
    // Each thumbnail pixel averages a 2x2 block of the frame.
    const int w = 2 * thumbWidth;
    for (int y = 0; y < thumbHeight; ++y)
        for (int x = 0; x < thumbWidth; ++x) {
            uint8_t* out = &sheet[(static_cast<size_t>(y0 + y) * sheetWidth + x0 + x) * 4];
            for (int c = 0; c < 3; ++c) {
                const auto at = [&](int dx, int dy) {
                    return frame[(static_cast<size_t>(2 * y + dy) * w + 2 * x + dx) * 4 + c];
                };
                out[c] = static_cast<uint8_t>((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4);
            }
        }
    if (hasFont)
        font.draw(&sheet, sheetWidth, sheetHeight, x0 + (thumbWidth - scale * font.width(label)) / 2,
                  y0 + thumbHeight + 2 * scale, label, kLabelColor, scale);
}

bool ContactSheet::write(const std::string& path, std::string* error) const
{
    StagedFile file(path);
    return file.writePng(sheet, sheetWidth, sheetHeight, error) && file.commit(error);
}
