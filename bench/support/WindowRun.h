#pragma once

#include "StallProbe.h"
#include "VirtualDisplay.h"

#include <string>
#include <vector>

// The windowed program run on a virtual display with silent audio until its
// frame clock passes a time, every presented frame read from its frame log,
// the display server's CPU time and the CPU time the hypervisor took from the
// machine (steal) sampled while it runs, and the machine's stalls probed.
class WindowRun {
public:
    struct Frame {
        double shown = 0;     // monotonic seconds, just after it was presented
        double demo = 0;      // the frame clock
        double cpu = 0;       // the program's CPU seconds so far
        double presentMs = 0; // the program's CPU in presenting it
    };
    struct Sample {
        double at = 0;      // monotonic seconds
        double seconds = 0; // the display server's CPU seconds so far
        double stolen = 0;  // CPU seconds the hypervisor took from this machine so far, all cores
    };

    // Runs program with args (and --frame-log); false with the reason in error.
    bool run(const std::string& program, const std::vector<std::string>& args, const VirtualDisplay& display,
             double untilDemoSeconds);

    // The display server's CPU seconds at a monotonic time, between samples.
    double serverCpuAt(double at) const;
    // The CPU seconds stolen from all cores at a monotonic time, between samples.
    double stolenAt(double at) const;

    std::vector<Frame> frames;
    std::vector<Sample> samples;
    StallProbe stalls;
    std::string error;

private:
    bool readLog(const std::string& path);
};
