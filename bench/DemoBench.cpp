// The whole demo headless at 480x320 on the software renderer (480S x 320S
// pixels with --scale S first on the line), every frame read back: start-up,
// frames per second overall and per section, and (in a second pass, at scale
// 1) heap allocations per frame in each section once warm. A section is a span
// in which the same effects draw in the same looks. With --cpu it runs itself
// again under callgrind and prints the instructions per frame outside the GL
// driver, per section. With --span FROM TO it jumps to FROM seconds and times
// the frames up to TO only.
#include "AllocationCount.h"
#include "CallgrindCost.h"
#include "DemoSections.h"
#include "HeadlessContext.h"
#include "HostClock.h"
#include "MusicPlayer.h"
#include "ScaleArgument.h"
#include "SelfPath.h"
#include "demo/Mirande.h"
#include "utils/Utils.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

using DemoSections::demoFrames;
using DemoSections::fps;
using DemoSections::Section;
constexpr int warmFrames = 30; // a section's first frames may still fill caches
constexpr int countedFrames = 5;
constexpr double instructionsPerMs = 1e6; // a conservative 1 instruction per ns

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Whether each frame is past its section's warm-up, from the script's sections
// found in a child process. Counting is slow (each allocation is classified by
// its call stack), so it stays off in a section's first frames, where a newly
// drawn effect makes the driver compile and allocate.
std::vector<bool> warmFrameMask()
{
    std::vector<bool> warm(demoFrames, false);
    std::vector<int> starts = DemoSections::startsFromChild();
    starts.push_back(demoFrames);
    for (size_t k = 0; k + 1 < starts.size(); ++k)
        for (int f = starts[k] + warmFrames; f < starts[k + 1] && f < demoFrames; ++f)
            warm[f] = true;
    return warm;
}

// Frames [first, last) of the demo; those before first are skipped by a jump of the clock.
void run(int first = 0, int last = demoFrames)
{
    const std::vector<bool> warm = warmFrameMask();
    HeadlessContext context(fps);
    if (!context.isValid()) {
        std::printf("no headless GL: %s\n", context.errorText().c_str());
        return;
    }
    Mirande app;
    const Clock::time_point t0 = Clock::now();
    app.init();
    glFinish();
    const double startup = seconds(Clock::now() - t0);

    std::vector<uint8_t> pixels(static_cast<size_t>(HeadlessContext::pixelWidth()) * HeadlessContext::pixelHeight() *
                                4);
    std::vector<Section> sections;
    sections.reserve(64);
    std::string name;
    name.reserve(128);
    double total = 0;
    if (first > 0) {
        HostClock::advance(); // the first frame starts the demo clock, as in a full run
        app.update();
        HostClock::set(static_cast<double>(first - 1) / fps);
    }
    // First pass: every frame timed, nothing counted.
    for (int frame = first; frame < last; ++frame) {
        HostClock::advance();
        const Clock::time_point start = Clock::now();
        app.update();
        glReadPixels(0, 0, HeadlessContext::pixelWidth(), HeadlessContext::pixelHeight(), GL_RGBA,
                     GL_UNSIGNED_BYTE, pixels.data());
        const double spent = seconds(Clock::now() - start);
        total += spent;
        DemoSections::note(sections, DemoSections::name(app), frame);
        Section& s = sections.back();
        s.seconds += spent;
        if (spent > s.worstSeconds) {
            s.worstSeconds = spent;
            s.worstFrame = frame;
        }
    }
    // Second pass over the same frames: allocations counted, nothing timed (the
    // count classifies each allocation by its call stack, which is slow). The
    // program allocates the same at any scale, so above 1 the pass, which
    // would cost as much as the first, is left out.
    const int countedEnd = HeadlessContext::scale() == 1 ? last : first;
    HostClock::set(static_cast<double>(first - 1) / fps);
    size_t k = 0;
    for (int frame = first; frame < countedEnd; ++frame) {
        while (k + 1 < sections.size() && frame >= sections[k + 1].firstFrame)
            ++k;
        // After a jump the first frames draw what is new to the driver, as a section's first do.
        const bool counted = warm[frame] && frame >= first + warmFrames;
        HostClock::advance();
        countAllocations(counted);
        const uint64_t allocations = allocationCount();
        app.update();
        countAllocations(false);
        if (counted) {
            sections[k].warmAllocations += allocationCount() - allocations;
            ++sections[k].warmFrames;
        }
    }
    std::printf("frames of %dx%d pixels (scale %d)\n", HeadlessContext::pixelWidth(), HeadlessContext::pixelHeight(),
                HeadlessContext::scale());
    std::printf("start-up (init, every effect built): %.0f ms (target under 1000 ms)\n", startup * 1000);
    if (first == 0 && last == demoFrames)
        std::printf("whole demo: %d frames in %.1f s, %.1f fps (target 90 fps, 210 s in at most 140 s)\n\n",
                    demoFrames, total, demoFrames / total);
    else
        std::printf("%.2f s to %.2f s: %d frames in %.2f s, %.1f fps\n\n", first / double(fps),
                    last / double(fps), last - first, total, (last - first) / total);
    std::printf("%-9s %-9s %6s %8s %9s %9s %14s  %s\n", "from s", "to s", "frames", "fps", "worst ms", "worst at",
                "allocs/frame*", "section");
    for (const Section& s : sections) {
        const double f = s.frames / s.seconds;
        std::printf("%-9.2f %-9.2f %6d %8.1f %9.1f %9.2f %14s  %s%s\n", s.firstFrame / double(fps),
                    (s.firstFrame + s.frames) / double(fps), s.frames, f, s.worstSeconds * 1000,
                    s.worstFrame / double(fps),
                    s.warmFrames ? std::to_string(double(s.warmAllocations) / s.warmFrames).c_str() : "-",
                    s.name.c_str(), f < 60 ? "  (under 60 fps)" : "");
    }
    std::printf("* after each section's first %d frames%s\n", warmFrames,
                countedEnd == first ? "; counted at scale 1 only" : "");
}

// The trigonometry the two rain fields must do in a frame: the cosine and sine,
// in double precision, of each of their 1,200 drops' turning angle.
double rainTurning(float phase)
{
    double sum = 0;
    for (int drop = 0; drop < 1200; ++drop) {
        const double angle = static_cast<double>(phase + 0.01f * static_cast<float>(drop));
        sum += std::cos(angle) + std::sin(angle);
    }
    return sum;
}

// Under callgrind, the floor of the section whose own work per frame is over
// budget: what it must compute every frame, in a plain loop.
void countFloors()
{
    volatile double sink = 0;
    CallgrindCost::begin();
    for (int f = 0; f < countedFrames; ++f)
        sink = sink + rainTurning(20.0f + 0.05f * static_cast<float>(f));
    CallgrindCost::end("floor: the rain fields' turning (1,200 cosines and sines)");
}

// Under callgrind: from the start, a jump forward to each given frame, a warm-up
// and a counted window of frames.
void countUnderCallgrind(const char* frameList)
{
    HeadlessContext context(fps);
    if (!context.isValid())
        return;
    Mirande app;
    app.init();
    // The music's decoder runs on the audio thread at wall-clock pace, which
    // callgrind slows down many times and the machine's load varies: its share
    // of a window would differ from run to run. Nothing plays while counting.
    MusicPlayer::close();
    HostClock::advance(); // the first frame starts the demo clock, as in a full run
    app.update();
    for (const char* p = frameList; *p;) {
        char* end = nullptr;
        HostClock::set(std::strtod(p, &end) / fps);
        p = *end ? end + 1 : end;
        for (int f = 0; f < 2; ++f) {
            HostClock::advance();
            app.update();
        }
        CallgrindCost::begin();
        for (int f = 0; f < countedFrames; ++f) {
            HostClock::advance();
            app.update();
        }
        CallgrindCost::end(DemoSections::name(app).c_str());
    }
    countFloors();
}

void printCpu()
{
    const std::string prefix = "/tmp/quenfold-demobench-" + std::to_string(getpid()) + ".cg";
    std::string frames;
    for (const Section& s : DemoSections::fromScript())
        frames += (frames.empty() ? "" : ",") + std::to_string(s.firstFrame + s.frames / 2);
    const std::string scale = "--scale " + std::to_string(HeadlessContext::scale());
    if (!CallgrindCost::rerun((scale + " --cpu-child " + frames).c_str(), prefix))
        return;
    std::printf("%14s %14s %10s  %-14s %s\n", "own instr/f", "driver instr/f", "own ms/f*", "budget 0.5 ms",
                "section");
    for (const CallgrindCost::Window& w : CallgrindCost::read(prefix)) {
        const double own = static_cast<double>(w.own()) / countedFrames;
        const bool floor = w.label.rfind("floor:", 0) == 0;
        std::printf("%14.0f %14.0f %10.3f  %-14s %s\n", own, static_cast<double>(w.driver) / countedFrames,
                    own / instructionsPerMs, floor ? "-" : own / instructionsPerMs <= 0.5 ? "yes" : "NO",
                    w.label.c_str());
    }
    std::printf("* at %.0f instructions per ms; counts in %s.*\n", instructionsPerMs, prefix.c_str());
    std::printf("floor: what the section over budget must compute each frame, in a plain loop\n");
}

} // namespace

int main(int argc, char** argv)
{
    vell::Log::setOutput(stderr); // the tables own standard output
    if (!ScaleArgument::take(argc, argv))
        return 1;
    if (argc > 1 && std::strcmp(argv[1], "--cpu") == 0)
        printCpu();
    else if (argc > 1 && std::strcmp(argv[1], "--section-starts") == 0)
        DemoSections::printStarts();
    else if (argc > 2 && std::strcmp(argv[1], "--cpu-child") == 0)
        countUnderCallgrind(argv[2]);
    else if (argc > 3 && std::strcmp(argv[1], "--span") == 0) {
        const int first = std::clamp(static_cast<int>(std::atof(argv[2]) * fps), 0, demoFrames);
        const int last = std::clamp(static_cast<int>(std::atof(argv[3]) * fps), 0, demoFrames);
        if (first >= last) {
            std::fprintf(stderr, "DemoBench: --span needs FROM < TO within 0..210 s\n");
            return 1;
        }
        run(first, last);
    }
    else
        run();
    return 0;
}
