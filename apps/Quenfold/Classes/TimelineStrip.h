#pragma once

#include "timeline/ScriptTimeline.h"
#include "timeline/TimelineAxis.h"

#include <string>
#include <utility>
#include <vector>

class Canvas;
class Mirande;

// The demo's timeline along the bottom of the picture: a thin lane per effect,
// the cue marks and a playhead at the demo time. Frame points x on it stand
// for demo times; a press or drag seeks there.
class TimelineStrip {
public:
    static constexpr int kLeft = 8;
    static constexpr int kWidth = 464; // 0 to 215 s, 0.46 s a point
    static constexpr int kPadding = 3;
    static constexpr int kCueHeight = 6;
    static constexpr int kLaneHeight = 3;
    static constexpr int kLanePitch = 4;
    static constexpr int kLabelHeight = 16;

    bool isShown() const { return shown; }
    void toggle() { shown = !shown; }
    // Takes the lanes of this demo, unless they are the ones held.
    void follow(const Mirande& demo);
    // The next follow takes the lanes anew (the demo's script changed).
    void forget() { source = nullptr; }
    // A line of text above the lanes (empty: none), such as the script file played.
    void setLabel(std::string text) { label = std::move(text); }

    // The strip ends at row bottom (the picture's, or the help line's top).
    int height() const;
    bool contains(int x, int y, int bottom) const;
    double timeAt(int x) const { return axis.time(static_cast<float>(x)); }
    // After a seek by pointer, the next draw logs the demo time it shows.
    void noteSeek() { seekToReport = true; }
    void draw(Canvas& canvas, int bottom, float now);

private:
    TimelineAxis axis{kLeft, kWidth};
    bool shown = false;
    bool seekToReport = false;
    const Mirande* source = nullptr;
    std::string label;
    std::vector<ScriptTimeline::Lane> lanes;
};
