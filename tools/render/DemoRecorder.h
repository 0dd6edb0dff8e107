#pragma once

#include "RenderOptions.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class HeadlessContext;
class Mirande;

// Runs the demo on the fixed-step clock for the outputs that follow it through
// time: field lines on stdout, a video, a contact sheet of the cue times.
class DemoRecorder {
public:
    static constexpr double kSectionSeconds = 10.0; // rate is reported per section of demo time

    // With field lines asked for, takes stdout for them: log lines go to stderr.
    explicit DemoRecorder(const RenderOptions& renderOptions);

    // Renders frame 0 up to the last frame any output needs; false with the
    // reason when an output fails or the run is interrupted.
    bool run(Mirande& app, const HeadlessContext& context, std::string* error);

    long long framesRendered() const { return frames; }
    // Frames per second rendered in each section of demo time.
    const std::vector<double>& sectionRates() const { return sections; }

private:
    const std::vector<double>& sheetTimes() const;
    long long lastFrame() const;
    void progress(long long frame, long long last, double elapsed) const;

    const RenderOptions& options;
    std::unique_ptr<FILE, int (*)(FILE*)> fieldOut{nullptr, fclose};
    long long frames = 0;
    std::vector<double> sections;
};
