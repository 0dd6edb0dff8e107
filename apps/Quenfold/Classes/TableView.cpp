#include "TableView.h"

#include "HostSurface.h"
#include "NavigationBar.h"
#include "RootViewController.h"
#include "toolkit/Canvas.h"

using vell::vec4;

TableView::TableView(const RootViewController& rootController, Canvas& listCanvas)
    : controller(rootController), canvas(listCanvas)
{
}

void TableView::draw()
{
    GLApp::draw();
    const float w = HostSurface::kWidth;
    const int scroll = controller.scrollOffset();
    const RootViewController::Hit pressed = controller.pressedHit();
    using Hit = RootViewController::Hit;
    constexpr int kRow = RootViewController::kRowHeight;
    const int top = NavigationBar::kHeight;
    canvas.begin();
    canvas.fillStyle(vec4(0.06f, 0.07f, 0.09f, 1));
    canvas.fillRect(0, top, w, HostSurface::kHeight - top);
    for (int row = 0; row < controller.numberOfRows(); ++row) {
        const int y = top + row * kRow - scroll;
        if (y + kRow <= top || y >= HostSurface::kHeight)
            continue;
        const bool isPressed = pressed.row == row && pressed.kind == Hit::Row;
        canvas.fillStyle(isPressed ? vec4(0.2f, 0.33f, 0.58f, 1)
                                   : row % 2 ? vec4(0.07f, 0.08f, 0.1f, 1) : vec4(0.09f, 0.1f, 0.13f, 1));
        canvas.fillRect(0, y, w, kRow);
        canvas.fillStyle(vec4(0.16f, 0.18f, 0.23f, 1));
        canvas.fillRect(12, y + kRow - 1, w - 12, 1);

        canvas.fillStyle(vec4(0.95f, 0.96f, 1, 1));
        canvas.printText(12, y + 9, controller.rowText(row));

        // The disclosure mark: a blue square with a chevron.
        const bool markPressed = pressed.row == row && pressed.kind == Hit::Disclosure;
        const float markX = w - 12 - 22;
        canvas.fillStyle(markPressed ? vec4(0.5f, 0.7f, 1, 1) : vec4(0.22f, 0.5f, 0.95f, 1));
        canvas.fillRect(markX, y + 7, 22, 22);
        canvas.fillStyle(vec4(1, 1, 1, 1));
        canvas.printText(static_cast<int>(markX + (22 - canvas.textWidth(">")) / 2), y + 9, ">");
    }
    if (controller.maxScroll() > 0) { // where the visible rows sit in the list
        const float visible = HostSurface::kHeight - top;
        const float content = visible + controller.maxScroll();
        canvas.fillStyle(vec4(1, 1, 1, 0.35f));
        canvas.fillRect(w - 4, top + visible * scroll / content, 3, visible * visible / content);
    }
    canvas.end();
}
