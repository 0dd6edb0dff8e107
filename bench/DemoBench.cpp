// The whole demo headless at 480x320 on the software renderer, every frame read
// back: start-up, frames per second overall and per section, heap allocations per
// frame in each section once warm. A section is a span in which the same effects
// draw in the same looks. With --cpu it runs itself again under callgrind and
// prints the instructions per frame outside the GL driver, per section.
#include "AllocationCount.h"
#include "CallgrindCost.h"
#include "HeadlessContext.h"
#include "HostClock.h"
#include "SelfPath.h"
#include "anim/Anim.h"
#include "demo/Mirande.h"
#include "demo/Rings.h"
#include "demo/SorvLogo3.h"
#include "framework/Effect.h"
#include "utils/Timer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int fps = 60;
constexpr int demoFrames = 210 * fps;
constexpr int warmFrames = 30; // a section's first frames may still fill caches
constexpr int countedFrames = 5;
constexpr double instructionsPerMs = 1e6; // a conservative 1 instruction per ns
const char* const effectNames[] = {"PinkSky", "QuadLand2", "TriangleRain5", "Piramid", "Tunnel",
                                   "Stars",   "Rings",     "SorvLogo3",     "TarskFade"};

struct Section {
    std::string name;
    int firstFrame = 0;
    int frames = 0;
    double seconds = 0;
    uint64_t warmAllocations = 0;
    int warmFrames = 0;
    double worstSeconds = 0;
    int worstFrame = 0;
};

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The effects drawing, with the look of those that have several; the fade is always there.
std::string sectionName(const Mirande& app)
{
    std::string name;
    for (size_t i = 0; i + 1 < app.effects.size() && i < std::size(effectNames); ++i) {
        if (!app.effects[i]->enabled)
            continue;
        name += (name.empty() ? "" : "+") + std::string(effectNames[i]);
        if (app.effects[i] == app.rings)
            name += "/" + std::to_string(app.rings->stage);
        if (app.effects[i] == app.sorvLogo3)
            name += "/" + std::to_string(app.sorvLogo3->stage);
    }
    return name.empty() ? "black" : name;
}

void noteFrame(std::vector<Section>& sections, const std::string& name, int frame)
{
    if (sections.empty() || sections.back().name != name)
        sections.push_back({name, frame});
    ++sections.back().frames;
}

std::vector<Section> scriptSections();

// Whether each frame is past its section's warm-up, from the script's sections
// found in a child process. Counting is slow (each allocation is classified by
// its call stack), so it stays off in a section's first frames, where a newly
// drawn effect makes the driver compile and allocate.
std::vector<bool> warmFrameMask()
{
    std::vector<bool> warm(demoFrames, false);
    const std::string self = selfPath();
    if (self.empty())
        return warm;
    const std::string command = "'" + self + "' --section-starts 2>/dev/null";
    FILE* child = popen(command.c_str(), "r");
    if (!child)
        return warm;
    std::vector<int> starts;
    char line[256];
    for (int start; std::fgets(line, sizeof line, child);) // the effects log on the same stream
        if (std::sscanf(line, "section at frame %d", &start) == 1)
            starts.push_back(start);
    pclose(child);
    starts.push_back(demoFrames);
    for (size_t k = 0; k + 1 < starts.size(); ++k)
        for (int f = starts[k] + warmFrames; f < starts[k + 1] && f < demoFrames; ++f)
            warm[f] = true;
    return warm;
}

void run()
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

    std::vector<uint8_t> pixels(HeadlessContext::kWidth * HeadlessContext::kHeight * 4);
    std::vector<Section> sections;
    sections.reserve(64);
    std::string name;
    name.reserve(128);
    double total = 0;
    for (int frame = 0; frame < demoFrames; ++frame) {
        HostClock::advance();
        countAllocations(warm[frame]);
        const uint64_t allocations = allocationCount();
        const Clock::time_point start = Clock::now();
        app.update();
        glReadPixels(0, 0, HeadlessContext::kWidth, HeadlessContext::kHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
        const double spent = seconds(Clock::now() - start);
        const uint64_t allocated = allocationCount() - allocations;
        total += spent;
        noteFrame(sections, sectionName(app), frame);
        countAllocations(false);
        Section& s = sections.back();
        s.seconds += spent;
        if (spent > s.worstSeconds) {
            s.worstSeconds = spent;
            s.worstFrame = frame;
        }
        if (warm[frame]) {
            s.warmAllocations += allocated;
            ++s.warmFrames;
        }
    }
    std::printf("start-up (init, every effect built): %.0f ms (target under 1000 ms)\n", startup * 1000);
    std::printf("whole demo: %d frames in %.1f s, %.1f fps (target 90 fps, 210 s in at most 140 s)\n\n", demoFrames,
                total, demoFrames / total);
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
    std::printf("* after each section's first %d frames\n", warmFrames);
}

// The sections, found by stepping the script alone; this leaves the fields at
// the script's end, so it runs in its own process.
std::vector<Section> scriptSections()
{
    std::vector<Section> sections;
    HeadlessContext context(fps);
    if (!context.isValid())
        return sections;
    Mirande app;
    app.init();
    for (int frame = 0; frame < demoFrames; ++frame) {
        HostClock::advance();
        vell::Timer::getInstance()->update();
        Anim::update();
        noteFrame(sections, sectionName(app), frame);
    }
    return sections;
}

// Under callgrind: from the start, a jump forward to each given frame, a warm-up
// and a counted window of frames.
void countUnderCallgrind(const char* frameList)
{
    HeadlessContext context(fps);
    if (!context.isValid())
        return;
    // The music's decoder runs at wall-clock pace, which callgrind slows down many
    // times: without an audio device it stays out of the counts.
    setenv("SDL_AUDIODRIVER", "no-audio-while-counting", 1);
    Mirande app;
    app.init();
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
        CallgrindCost::end(sectionName(app).c_str());
    }
}

void printCpu()
{
    const std::string prefix = "/tmp/quenfold-demobench-" + std::to_string(getpid()) + ".cg";
    std::string frames;
    for (const Section& s : scriptSections())
        frames += (frames.empty() ? "" : ",") + std::to_string(s.firstFrame + s.frames / 2);
    if (!CallgrindCost::rerun(("--cpu-child " + frames).c_str(), prefix))
        return;
    std::printf("%14s %14s %10s  %-14s %s\n", "own instr/f", "driver instr/f", "own ms/f*", "budget 0.5 ms",
                "section");
    for (const CallgrindCost::Window& w : CallgrindCost::read(prefix)) {
        const double own = static_cast<double>(w.own()) / countedFrames;
        std::printf("%14.0f %14.0f %10.3f  %-14s %s\n", own, static_cast<double>(w.driver) / countedFrames,
                    own / instructionsPerMs, own / instructionsPerMs <= 0.5 ? "yes" : "NO", w.label.c_str());
    }
    std::printf("* at %.0f instructions per ms; counts in %s.*\n", instructionsPerMs, prefix.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--cpu") == 0)
        printCpu();
    else if (argc > 1 && std::strcmp(argv[1], "--section-starts") == 0)
        for (const Section& s : scriptSections())
            std::printf("section at frame %d\n", s.firstFrame);
    else if (argc > 2 && std::strcmp(argv[1], "--cpu-child") == 0)
        countUnderCallgrind(argv[2]);
    else
        run();
    return 0;
}
