// The whole demo headless at 480x320 on the software renderer, every frame read
// back: start-up, frames per second overall and per section, heap allocations per
// frame in each section once warm. A section is a span in which the same effects
// draw in the same looks. With --cpu it runs itself again under callgrind and
// prints the instructions per frame outside the GL driver, per section.
#include "AllocationCount.h"
#include "CallgrindCost.h"
#include "HeadlessContext.h"
#include "HostClock.h"
#include "anim/Anim.h"
#include "demo/Mirande.h"
#include "demo/Rings.h"
#include "demo/SorvLogo3.h"
#include "framework/Effect.h"
#include "utils/Timer.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int fps = 60;
constexpr int demoFrames = 210 * fps;
constexpr int warmFrames = 30; // a section's first frames may still fill caches
constexpr int countedFrames = 10;
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

void run()
{
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
        const uint64_t allocations = allocationCount();
        const Clock::time_point start = Clock::now();
        app.update();
        glReadPixels(0, 0, HeadlessContext::kWidth, HeadlessContext::kHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
        const double spent = seconds(Clock::now() - start);
        const uint64_t allocated = allocationCount() - allocations;
        total += spent;
        noteFrame(sections, sectionName(app), frame);
        Section& s = sections.back();
        s.seconds += spent;
        if (s.frames > warmFrames) {
            s.warmAllocations += allocated;
            ++s.warmFrames;
        }
    }
    std::printf("start-up (init, every effect built): %.0f ms (target under 1000 ms)\n", startup * 1000);
    std::printf("whole demo: %d frames in %.1f s, %.1f fps (target 90 fps, 210 s in at most 140 s)\n\n", demoFrames,
                total, demoFrames / total);
    std::printf("%-9s %-9s %6s %8s %14s  %s\n", "from s", "to s", "frames", "fps", "allocs/frame*", "section");
    for (const Section& s : sections) {
        const double f = s.frames / s.seconds;
        std::printf("%-9.2f %-9.2f %6d %8.1f %14s  %s%s\n", s.firstFrame / double(fps),
                    (s.firstFrame + s.frames) / double(fps), s.frames, f,
                    s.warmFrames ? std::to_string(double(s.warmAllocations) / s.warmFrames).c_str() : "-",
                    s.name.c_str(), f < 60 ? "  (under 60 fps)" : "");
    }
    std::printf("* after each section's first %d frames\n", warmFrames);
}

// Under callgrind: the sections found by stepping the script alone, then a counted
// window of frames from the middle of each.
void countUnderCallgrind()
{
    HeadlessContext context(fps);
    if (!context.isValid())
        return;
    Mirande app;
    app.init();
    std::vector<Section> sections;
    for (int frame = 0; frame < demoFrames; ++frame) {
        HostClock::advance();
        vell::Timer::getInstance()->update();
        Anim::update();
        noteFrame(sections, sectionName(app), frame);
    }
    for (const Section& s : sections) {
        HostClock::set(double(s.firstFrame + s.frames / 2) / fps);
        for (int f = 0; f < 3; ++f) {
            HostClock::advance();
            app.update();
        }
        CallgrindCost::begin();
        for (int f = 0; f < countedFrames; ++f) {
            HostClock::advance();
            app.update();
        }
        CallgrindCost::end(s.name.c_str());
    }
}

void printCpu()
{
    const std::string prefix = "/tmp/quenfold-demobench-" + std::to_string(getpid()) + ".cg";
    if (!CallgrindCost::rerun("--cpu-child", prefix))
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
    else if (argc > 1 && std::strcmp(argv[1], "--cpu-child") == 0)
        countUnderCallgrind();
    else
        run();
    return 0;
}
