#pragma once

#include "RenderOptions.h"

#include <cstdio>
#include <string>
#include <vector>

class HeadlessContext;
class Mirande;

// Runs the demo on the fixed-step clock for the outputs that follow it through
// time: field lines, a video, a contact sheet of the cue times.
class DemoRecorder {
public:
    static constexpr double kSectionSeconds = 10.0; // rate is reported per section of demo time

    // Field lines, when asked for, go to fieldLines.
    DemoRecorder(const RenderOptions& renderOptions, FILE* fieldLines);

    // Renders frame 0 up to the last frame any output needs; false with the
    // reason when an output fails or the run is interrupted.
    bool run(Mirande& app, const HeadlessContext& context, std::string* error);

    // A stretch of demo time with the frames rendered in it and how long they took.
    struct Section {
        double from, to; // demo seconds
        long long frames;
        double seconds;
        double fps() const { return seconds > 0 ? static_cast<double>(frames) / seconds : 0.0; }
    };

    long long framesRendered() const { return frames; }
    // Sections of kSectionSeconds; a last one under a second of frames joins the one before.
    const std::vector<Section>& sectionRates() const { return sections; }

private:
    const std::vector<double>& sheetTimes() const;
    long long lastFrame() const;

    const RenderOptions& options;
    FILE* fieldOut;
    long long frames = 0;
    std::vector<Section> sections;
};
