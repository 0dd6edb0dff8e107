#pragma once

class Canvas;

// The bar across the top of the window: the screen's title and, over a GL
// screen, a back button to the list.
class NavigationBar {
public:
    static constexpr int kHeight = 32;

    bool isHidden() const { return hidden; }
    void setHidden(bool h) { hidden = h; }
    void toggle() { hidden = !hidden; }

    static bool contains(int x, int y) { return y >= 0 && y < kHeight && x >= 0; }
    static bool backButtonContains(int x, int y);

    // backTitle null: no back button.
    static void draw(Canvas& canvas, const char* title, const char* backTitle);

private:
    bool hidden = false;
};
