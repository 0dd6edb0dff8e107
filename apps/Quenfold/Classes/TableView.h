#pragma once

#include "framework/GLApp.h"

class Canvas;
class RootViewController;

// Draws the list screen into its own main framebuffer, one frame per update().
class TableView : public GLApp {
public:
    TableView(const RootViewController& controller, Canvas& canvas);
    void draw() override;

private:
    const RootViewController& controller;
    Canvas& canvas;
};
