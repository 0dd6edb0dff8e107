#include "TimelinePicture.h"

#include "HeadlessContext.h"
#include "MusicEnvelope.h"
#include "graphics/RenderTexture.h"
#include "timeline/TimelineLanes.h"
#include "toolkit/Canvas.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdio>
#include <memory>

using vell::vec4;

namespace {

constexpr int kPlotWidth = static_cast<int>(TimelineAxis::kEnd) * TimelinePicture::kPixelsPerSecond;
constexpr int kLabelX = 12;
constexpr float kAxisY = 92;

const vec4 kText(0.92f, 0.92f, 0.92f, 1);
const vec4 kDim(0.6f, 0.62f, 0.66f, 1);
const vec4 kCue(1.0f, 0.78f, 0.35f, 1);
const vec4 kFromFile(1.0f, 0.45f, 0.2f, 1);

// A field whose keys a script file changed: a bar before its label, a tag after it.
void markChanged(Canvas& canvas, float top, float height, const std::string& label)
{
    canvas.fillStyle(kFromFile);
    canvas.fillRect(3, top, 4, height);
    canvas.printText(static_cast<int>(kLabelX + canvas.textWidth(label) + 10), static_cast<int>(top), "file");
}

// Key marks by the interpolation of the segment that starts at the key.
vec4 modeColor(int mode)
{
    switch (mode) {
    case 0: return vec4(1, 1, 1, 1);          // step
    case 1: return vec4(1, 0.85f, 0.3f, 1);    // linear
    case 2: return vec4(0.3f, 0.9f, 1, 1);     // ease-in
    case 3: return vec4(1, 0.4f, 0.9f, 1);     // ease-out
    default: return vec4(0.5f, 0.5f, 0.5f, 1); // writes nothing
    }
}

vec4 componentColor(int c)
{
    static const vec4 colors[] = {vec4(1, 0.4f, 0.4f, 1), vec4(0.4f, 1, 0.45f, 1), vec4(0.45f, 0.6f, 1, 1),
                                  vec4(0.85f, 0.85f, 0.85f, 1)};
    return colors[c % 4];
}

std::string number(float v, int digits = 6)
{
    char text[32];
    snprintf(text, sizeof(text), "%.*g", digits, static_cast<double>(v));
    return text;
}

void printCentred(Canvas& canvas, float x, int y, const std::string& text)
{
    canvas.printText(static_cast<int>(x - canvas.textWidth(text) / 2), y, text);
}

// Vertical strokes of one column each, merged while they repeat.
class Strokes {
public:
    explicit Strokes(Canvas& target) : canvas(target) {}
    ~Strokes() { flush(); }
    void add(int x, float top, float bottom)
    {
        if (width > 0 && x == x0 + width && top == y0 && bottom == y1) {
            ++width;
            return;
        }
        flush();
        x0 = x, y0 = top, y1 = bottom, width = 1;
    }
    void flush()
    {
        if (width > 0)
            canvas.fillRect(static_cast<float>(x0), y0, static_cast<float>(width), y1 - y0);
        width = 0;
    }

private:
    Canvas& canvas;
    int x0 = 0, width = 0;
    float y0 = 0, y1 = 0;
};

} // namespace

TimelinePicture::TimelinePicture(const ScriptTimeline& timeline, const MusicEnvelope* music, std::string musicNote)
    : script(timeline), envelope(music), note(std::move(musicNote)), axis(kPlotLeft, kPlotWidth)
{
}

int TimelinePicture::rowsTop() const
{
    return kLanesTop + static_cast<int>(script.lanes.size()) * kLanePitch + 12;
}

int TimelinePicture::height() const
{
    return rowsTop() + static_cast<int>(script.rows.size()) * kRowPitch + 8 + kMusicHeight + 12;
}

std::vector<uint8_t> TimelinePicture::draw() const
{
    const int h = height();
    std::unique_ptr<vell::RenderTexture> target(vell::RenderTexture::create(kWidth, h, false));
    target->begin();
    glClearColor(0.05f, 0.055f, 0.07f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    {
        Canvas canvas(kWidth, h);
        canvas.begin();
        drawGrid(canvas);
        drawHeader(canvas);
        drawLanes(canvas);
        for (size_t i = 0; i < script.rows.size(); ++i)
            drawRow(canvas, i, static_cast<float>(rowsTop() + static_cast<int>(i) * kRowPitch));
        drawMusic(canvas, static_cast<float>(rowsTop() + static_cast<int>(script.rows.size()) * kRowPitch + 8));
        canvas.end();
    }
    std::vector<uint8_t> pixels = HeadlessContext::readFrame(kWidth, h);
    target->end();
    for (size_t i = 3; i < pixels.size(); i += 4)
        pixels[i] = 255; // blending leaves the target's alpha short of opaque
    return pixels;
}

void TimelinePicture::drawHeader(Canvas& canvas) const
{
    char title[160];
    snprintf(title, sizeof(title),
             "Quenfold: the script over the music, 0 to %g s  (%zu effects, %zu animated fields, %d keys)",
             TimelineAxis::kEnd, script.lanes.size(), script.lanes.size() + script.rows.size(), script.keyCount);
    canvas.fillStyle(kText);
    canvas.printText(kLabelX, 10, title);
    if (!script.scriptFile.empty()) {
        size_t changed = 0;
        for (const auto& lane : script.lanes)
            changed += lane.changed;
        for (const auto& row : script.rows)
            changed += row.changed;
        const std::string played = "script file " + script.scriptFile + ": " + std::to_string(changed) +
                                   (changed == 1 ? " field" : " fields") + " changed, marked";
        const int x = static_cast<int>(canvas.textWidth(title)) + kLabelX + 40;
        canvas.fillStyle(kFromFile);
        canvas.fillRect(static_cast<float>(x), 10, 4, 16);
        canvas.printText(x + 12, 10, played);
    }

    int x = kLabelX;
    canvas.fillStyle(kDim);
    canvas.printText(x, 36, "keys:");
    x += 60;
    const char* modes[] = {"step", "linear", "ease-in", "ease-out"};
    for (int m = 0; m < 4; ++m) {
        canvas.fillStyle(modeColor(m));
        canvas.fillRect(static_cast<float>(x), 40, 3, kMarkHeight + 4);
        canvas.printText(x + 8, 36, modes[m]);
        x += 24 + static_cast<int>(canvas.textWidth(modes[m]));
    }
    x += 30;
    canvas.fillStyle(kDim);
    canvas.printText(x, 36, "components:");
    x += 16 + static_cast<int>(canvas.textWidth("components:"));
    const char* names[] = {"x", "y", "z", "w"};
    for (int c = 0; c < 4; ++c) {
        canvas.fillStyle(componentColor(c));
        canvas.fillRect(static_cast<float>(x), 46, 14, 3);
        canvas.printText(x + 18, 36, names[c]);
        x += 44;
    }
    canvas.fillStyle(kDim);
    canvas.printText(x + 30, 36, "(one value: the effect's colour)");
}

void TimelinePicture::drawGrid(Canvas& canvas) const
{
    const float bottom = static_cast<float>(height() - 12);
    canvas.fillStyle(kDim);
    canvas.printText(kLabelX, 64, "cue frames");
    canvas.printText(kLabelX, 98, "seconds");
    canvas.fillRect(axis.left(), kAxisY, axis.width(), 1);
    for (int t = 0; t <= static_cast<int>(TimelineAxis::kEnd); t += 5) {
        const float x = axis.x(t);
        const bool labelled = t % 10 == 0;
        canvas.fillStyle(kDim);
        canvas.fillRect(x, kAxisY, 1, labelled ? 6.0f : 3.0f);
        if (labelled)
            printCentred(canvas, x, 98, std::to_string(t));
        canvas.fillStyle(vec4(1, 1, 1, labelled ? 0.07f : 0.035f));
        canvas.fillRect(x, kLanesTop, 1, bottom - kLanesTop);
    }
    for (double cue : TimelineAxis::kCueTimes) {
        const float x = axis.x(cue);
        canvas.fillStyle(kCue);
        canvas.fillRect(x - 1, 84, 3, 8);
        printCentred(canvas, x, 64, number(static_cast<float>(cue)));
        canvas.fillStyle(vec4(kCue.x, kCue.y, kCue.z, 0.25f));
        canvas.fillRect(x, kLanesTop, 1, bottom - kLanesTop);
    }
}

void TimelinePicture::drawLanes(Canvas& canvas) const
{
    TimelineLanes::draw(canvas, script.lanes, axis, kLanesTop, kLaneHeight, kLanePitch);
    for (size_t i = 0; i < script.lanes.size(); ++i) {
        canvas.fillStyle(TimelineLanes::color(i));
        canvas.printText(kLabelX, kLanesTop + static_cast<int>(i) * kLanePitch + 2, script.lanes[i].name);
        if (script.lanes[i].changed)
            markChanged(canvas, static_cast<float>(kLanesTop + static_cast<int>(i) * kLanePitch), kLaneHeight,
                        script.lanes[i].name);
    }
}

void TimelinePicture::drawRow(Canvas& canvas, size_t row, float top) const
{
    const ScriptTimeline::Row& r = script.rows[row];
    std::vector<double> times(kPlotWidth);
    for (int c = 0; c < kPlotWidth; ++c)
        times[c] = static_cast<double>(c) / kPixelsPerSecond;
    const std::vector<std::vector<float>> values = r.track->sample(times);
    const std::vector<ScriptTrack::Key> keys = r.track->keys();
    float lo = values[0][0], hi = lo;
    const auto widen = [&](const std::vector<float>& v) {
        for (float c : v) {
            lo = std::min(lo, c);
            hi = std::max(hi, c);
        }
    };
    for (const std::vector<float>& v : values)
        widen(v);
    for (const ScriptTrack::Key& key : keys) // a key between two columns still sets the scale
        if (key.time >= 0 && key.time <= TimelineAxis::kEnd)
            widen(key.value);
    if (hi - lo < 1e-6f) {
        lo -= 1;
        hi += 1;
    }

    const std::string effect = r.name.substr(0, r.name.find('.'));
    vec4 single = kText;
    for (size_t i = 0; i < script.lanes.size(); ++i)
        if (script.lanes[i].name == effect)
            single = TimelineLanes::color(i);

    canvas.fillStyle(kText);
    canvas.printText(kLabelX, static_cast<int>(top), r.name);
    if (r.changed)
        markChanged(canvas, top, kCurveHeight, r.name);
    canvas.fillStyle(kDim);
    canvas.printText(kLabelX, static_cast<int>(top) + 18,
                     std::string(r.track->typeName()) + "  " + number(lo, 3) + " .. " + number(hi, 3));
    canvas.fillStyle(vec4(1, 1, 1, 0.04f));
    canvas.fillRect(axis.left(), top, axis.width(), kCurveHeight);
    canvas.fillStyle(vec4(1, 1, 1, 0.08f));
    canvas.fillRect(axis.left(), top + kRowPitch - 3, axis.width(), 1);

    const float plotTop = top + 2, plotHeight = kCurveHeight - 4;
    const auto y = [&](float v) { return plotTop + (1 - (v - lo) / (hi - lo)) * plotHeight; };
    const int components = r.track->components();
    for (int k = components - 1; k >= 0; --k) { // x drawn last, on top
        canvas.fillStyle(components == 1 ? single : componentColor(k));
        Strokes strokes(canvas);
        for (int c = 0; c < kPlotWidth; ++c) {
            const float a = y(values[c > 0 ? c - 1 : 0][k]), b = y(values[c][k]);
            strokes.add(kPlotLeft + c, std::min(a, b) - 1, std::max(a, b) + 1);
        }
    }

    int later = 0;
    for (const ScriptTrack::Key& key : keys) {
        if (key.time > TimelineAxis::kEnd || key.time < 0) {
            ++later;
            continue;
        }
        canvas.fillStyle(modeColor(key.mode));
        canvas.fillRect(axis.x(key.time) - 1, top + kMarkTop, 3, kMarkHeight);
    }
    if (later > 0) {
        canvas.fillStyle(kDim);
        canvas.printText(static_cast<int>(axis.x(TimelineAxis::kEnd)) + 6, static_cast<int>(top) + 8,
                         "+" + std::to_string(later));
    }
}

void TimelinePicture::drawMusic(Canvas& canvas, float top) const
{
    canvas.fillStyle(kText);
    canvas.printText(kLabelX, static_cast<int>(top) + 4, "music");
    canvas.fillStyle(kDim);
    canvas.printText(kLabelX, static_cast<int>(top) + 22, "loudness: RMS, peak");
    canvas.fillStyle(vec4(1, 1, 1, 0.04f));
    canvas.fillRect(axis.left(), top, axis.width(), kMusicHeight);
    if (!envelope) {
        canvas.fillStyle(kDim);
        canvas.printText(kPlotLeft + 12, static_cast<int>(top) + kMusicHeight / 2 - 8, note);
        return;
    }
    std::vector<MusicEnvelope::Level> levels(kPlotWidth);
    float maxRms = 0, maxPeak = 0;
    for (int c = 0; c < kPlotWidth; ++c) {
        levels[c] = envelope->level(static_cast<double>(c) / kPixelsPerSecond,
                                    static_cast<double>(c + 1) / kPixelsPerSecond);
        maxRms = std::max(maxRms, levels[c].rms);
        maxPeak = std::max(maxPeak, levels[c].peak);
    }
    const float middle = top + kMusicHeight / 2.0f, half = kMusicHeight / 2.0f - 2;
    const struct {
        float MusicEnvelope::Level::*level;
        float scale;
        vec4 color;
    } layers[] = {{&MusicEnvelope::Level::peak, maxPeak, vec4(0.3f, 0.4f, 0.6f, 1)},
                  {&MusicEnvelope::Level::rms, maxRms, vec4(0.55f, 0.8f, 1, 1)}};
    for (const auto& layer : layers) {
        if (!(layer.scale > 0))
            continue;
        canvas.fillStyle(layer.color);
        Strokes strokes(canvas);
        for (int c = 0; c < kPlotWidth; ++c) {
            const float h = levels[c].*layer.level / layer.scale * half;
            strokes.add(kPlotLeft + c, middle - h, middle + h + 1);
        }
    }
}
