#pragma once

#include <memory>

class GLViewController;

// The list screen "Fx": one row per registered effect, in registry order,
// each with a disclosure mark, under the navigation bar. Positions are
// window points (480x320, origin top-left); the list scrolls by dragging or
// with the wheel.
class RootViewController {
public:
    static constexpr int kRowHeight = 36;
    static constexpr int kAccessoryWidth = 48; // the disclosure mark's touch area, at the right

    struct Hit {
        enum Kind { None, Row, Disclosure } kind = None;
        int row = -1;
        bool operator==(const Hit& o) const { return kind == o.kind && row == o.row; }
    };

    const char* title() const { return "Fx"; }
    int numberOfRows() const;
    // A row's text: the effect's name.
    const char* rowText(int row) const;
    Hit hitTest(int x, int y) const;

    int scrollOffset() const { return scroll; }
    void scrollBy(int dy);

    // A press, drag and release: a release on what was pressed, without
    // dragging, opens the GL screen it asks for (null otherwise).
    void touchesBegan(int x, int y);
    void touchesMoved(int x, int y);
    std::unique_ptr<GLViewController> touchesEnded(int x, int y);

    // Records the row as the selected effect, logs its name; the new screen runs the demo.
    std::unique_ptr<GLViewController> didSelectRow(int row);
    // The new screen runs the row's effect alone.
    std::unique_ptr<GLViewController> accessoryButtonTapped(int row) const;

    int maxScroll() const;
    // What the current press is on (None once it drags).
    const Hit& pressedHit() const { return pressed; }

private:
    int scroll = 0;
    int pressY = 0;
    int pressScroll = 0;
    bool dragging = false;
    Hit pressed;
};
