#pragma once

// Base of every visual effect: constructed ready to draw, drawn while enabled.
class Effect {
public:
    Effect() = default;
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    virtual ~Effect() = default;
    virtual void draw() {}
    virtual void onMouseDown(int x, int y, int touchCount) {}
    virtual void onMouseUp(int x, int y, int touchCount) {}
    virtual void onMouseMove(int x, int y, int touchCount) {}

    unsigned int getWindowWidth() const;
    unsigned int getWindowHeight() const;
    // The frame's pixels per point (1 to 4) and its size in pixels.
    unsigned int getContentScale() const;
    unsigned int getPixelWidth() const;
    unsigned int getPixelHeight() const;
    // A size given in points as pixels of the frame: points times the content scale.
    int toPixels(int points) const;

    bool enabled = false;

protected:
    // Advances the frame clock once more (a few effects do so inside their draw)
    // and returns its time.
    static float advanceClock();
    // Clears colour to transparent black and depth, and turns the depth test on.
    static void clearWithDepth();
};
