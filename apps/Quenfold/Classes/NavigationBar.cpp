#include "NavigationBar.h"

#include "HostSurface.h"
#include "toolkit/Canvas.h"

using vell::vec4;

namespace {

constexpr int kBackX = 6, kBackY = 5, kBackWidth = 64, kBackHeight = 22;

} // namespace

bool NavigationBar::backButtonContains(int x, int y)
{
    return x >= 0 && x < kBackX + kBackWidth + 8 && y >= 0 && y < kHeight;
}

void NavigationBar::draw(Canvas& canvas, const char* title, const char* backTitle)
{
    const float w = HostSurface::kWidth;
    for (int band = 0; band < 4; ++band) { // a soft top-to-bottom gradient
        const float shade = 0.2f - 0.025f * band;
        canvas.fillStyle(vec4(shade * 0.8f, shade * 0.9f, shade * 1.2f, 1));
        canvas.fillRect(0, band * kHeight / 4.0f, w, kHeight / 4.0f);
    }
    canvas.fillStyle(vec4(0.36f, 0.4f, 0.5f, 1));
    canvas.fillRect(0, kHeight - 1, w, 1);

    canvas.fillStyle(vec4(1, 1, 1, 1));
    const int titleWidth = static_cast<int>(canvas.textWidth(title));
    canvas.printText((HostSurface::kWidth - titleWidth) / 2, 7, title);

    if (!backTitle)
        return;
    canvas.fillStyle(vec4(0.2f, 0.36f, 0.66f, 1));
    canvas.fillRect(kBackX, kBackY, kBackWidth, kBackHeight);
    canvas.strokeStyle(vec4(0.5f, 0.66f, 0.95f, 1));
    canvas.strokeRect(kBackX, kBackY, kBackWidth, kBackHeight);
    const std::string label = std::string("< ") + backTitle;
    canvas.fillStyle(vec4(1, 1, 1, 1));
    canvas.printText(kBackX + (kBackWidth - static_cast<int>(canvas.textWidth(label))) / 2, kBackY + 2, label);
}
