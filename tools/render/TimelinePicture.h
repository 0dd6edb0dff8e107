#pragma once

#include "timeline/ScriptTimeline.h"
#include "timeline/TimelineAxis.h"

#include <cstdint>
#include <string>
#include <vector>

class Canvas;
class MusicEnvelope;

// The whole script in one picture: demo time across, the effect lanes, one
// row per animated field with each component's curve and a mark at each key
// (coloured by the key's interpolation), and the music's loudness beneath.
class TimelinePicture {
public:
    static constexpr int kWidth = 1920;
    static constexpr int kPlotLeft = 360;       // x of 0 s
    static constexpr int kPixelsPerSecond = 7;  // 215 s end at x 1865
    static constexpr int kLanesTop = 124;
    static constexpr int kLaneHeight = 20;
    static constexpr int kLanePitch = 24;
    static constexpr int kRowPitch = 44;        // rows start below the lanes
    static constexpr int kCurveHeight = 32;     // a row's plot, from its top
    static constexpr int kMarkTop = 34;         // a row's key marks, from its top
    static constexpr int kMarkHeight = 6;
    static constexpr int kMusicHeight = 110;

    // music null: the music's row says musicNote instead.
    TimelinePicture(const ScriptTimeline& timeline, const MusicEnvelope* music, std::string musicNote);

    int height() const;
    int rowsTop() const;
    // Draws with the canvas into a target of its own (a GL context must be
    // current); RGBA, top row first.
    std::vector<uint8_t> draw() const;

private:
    void drawHeader(Canvas& canvas) const;
    void drawGrid(Canvas& canvas) const;
    void drawLanes(Canvas& canvas) const;
    void drawRow(Canvas& canvas, size_t row, float top) const;
    void drawMusic(Canvas& canvas, float top) const;

    const ScriptTimeline& script;
    const MusicEnvelope* envelope;
    std::string note;
    TimelineAxis axis;
};
