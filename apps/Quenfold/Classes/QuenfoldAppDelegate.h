#pragma once

#include "FrameLog.h"
#include "GLView.h"
#include "LaunchOptions.h"
#include "NavigationBar.h"
#include "RootViewController.h"
#include "ScreenTransition.h"
#include "ScriptReloader.h"
#include "TimelineStrip.h"

#include <SDL.h>

#include <memory>
#include <string>

class Canvas;
class GLViewController;
class TableView;

// The application: one window showing the list screen "Fx" and, pushed on
// top of it, one GL screen at a time running the demo (or one effect alone).
class QuenfoldAppDelegate {
public:
    explicit QuenfoldAppDelegate(const LaunchOptions& options);
    ~QuenfoldAppDelegate();
    QuenfoldAppDelegate(const QuenfoldAppDelegate&) = delete;
    QuenfoldAppDelegate& operator=(const QuenfoldAppDelegate&) = delete;

    // Opens the window and runs until it closes; the process's exit status.
    int run();

private:
    bool didFinishLaunching();
    // The list's frame and the slide's copies, at the content scale now set.
    void makeTargets();
    // F3: the content scale the window switches to, every render target made
    // anew; the GL screen keeps its effect and time.
    void switchScale();
    void showNotice(const std::string& text);
    void push(std::unique_ptr<GLViewController> screen);
    void popToList();
    // Screen changes asked for by input happen after the next frame, which
    // the slide keeps as the screen being left.
    void changeScreen();
    bool handleEvent(const SDL_Event& event); // false when the user quits
    void keyDown(const SDL_KeyboardEvent& key);
    void mouseDown(int x, int y);
    void mouseMoved(int x, int y);
    void mouseUp(int x, int y);
    void drawOverlay();
    void drawHelp();
    void drawNotice(double now);
    // The strip's bottom row: above the help line while that shows.
    int stripBottom() const;
    void seekFromStrip(int x);
    // The demo shown takes the script file's keys (fresh: it was just made).
    void applyScript(bool fresh);

    LaunchOptions options;
    FrameLog frameLog;
    GLView window;
    std::unique_ptr<Canvas> canvas;
    RootViewController root;
    std::unique_ptr<TableView> table;
    std::unique_ptr<ScreenTransition> transition;
    std::unique_ptr<GLViewController> pendingScreen; // pushed after the next frame
    bool pendingBack = false;
    std::unique_ptr<GLViewController> glScreen; // the one GL screen, while shown
    NavigationBar navigationBar;
    bool mouseIsDown = false;
    bool touchOnBar = false;   // the press went to the navigation bar
    bool touchOnStrip = false; // the press went to the timeline strip
    bool capturePending = false;
    bool helpShown = false;
    TimelineStrip strip;
    ScriptReloader script;
    std::string notice;      // a short line after a capture or F3, shown for a while
    double noticeUntil = 0;  // unpaused clock
};
