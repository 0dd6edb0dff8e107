// The real windowed program at its default size on a virtual display of its
// own (Xvfb), with silent audio, every presented frame timed as it went to the
// display (the program's --frame-log). Through the whole demo it prints per
// section (as DemoBench cuts them): frames shown per second, the share of
// frames late (shown more than 1/60 s + 2 ms after the one before), the worst
// gap, CPU per frame (the program's in all, the program's in presenting:
// scaling the frame and handing it over, and the display server's), and the
// share of the machine's CPU time its hypervisor took (steal), how often the
// machine itself stalled (StallProbe), and the share of frames late with no
// stall in their wait or the one before: those did not wait for the machine
// but for the program, the display server or another process. With effect
// names it runs each of them alone instead (--seconds S each, 10 by default,
// the first second left out). --program PATH runs another build of
// the program (for comparing two, in turns). --scale S draws at content scale
// S (1 to 4) in a window, and on a screen, of 480S x 320S (960x640 for S = 1),
// so the frame fits it pixel for pixel from S = 2 on. --present gl|cpu picks
// how the program shows its frames. --script FILE has the demo play that
// script file (the program's --script), cut into its own sections. --machine S
// runs only the stall probe for S seconds, with nothing else running: how
// steady the machine is before the window is judged on it.
#include "DemoSections.h"
#include "ScaleArgument.h"
#include "SelfPath.h"
#include "StallProbe.h"
#include "VirtualDisplay.h"
#include "WindowRun.h"
#include "script/ScriptFile.h"
#include "utils/Utils.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kLateSeconds = 1.0 / 60 + 0.002;
constexpr double kTargetFps = 58, kTargetLate = 0.02;
constexpr double kEffectWarmSeconds = 1;

// What the frames of one span add up to, each counted with the gap before it.
struct Tally {
    int frames = 0;
    int late = 0, ownLate = 0, stalls = 0;
    double seconds = 0, worst = 0, cpu = 0, presentMs = 0, server = 0, stolen = 0;

    void add(const WindowRun& run, size_t i)
    {
        const WindowRun::Frame& f = run.frames[i];
        const WindowRun::Frame& before = run.frames[i - 1];
        const double gap = f.shown - before.shown;
        ++frames;
        late += gap > kLateSeconds;
        seconds += gap;
        worst = std::max(worst, gap);
        cpu += f.cpu - before.cpu;
        presentMs += f.presentMs;
        server += run.serverCpuAt(f.shown) - run.serverCpuAt(before.shown);
        stolen += run.stolenAt(f.shown) - run.stolenAt(before.shown);
        // A late frame is the machine's when it stalled in this wait or the one before.
        const double since = i >= 2 ? run.frames[i - 2].shown : before.shown;
        ownLate += gap > kLateSeconds && !run.stalls.stalledIn(since, f.shown);
        stalls += run.stalls.countIn(before.shown, f.shown);
    }
    double fps() const { return seconds > 0 ? frames / seconds : 0; }
    bool onTarget() const { return fps() >= kTargetFps && late <= kTargetLate * frames; }
};

void printLoad(const char* when)
{
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
}

void printHeader()
{
    std::printf("%-8s %-8s %6s %6s %6s %8s %8s %9s %8s %9s %7s %8s %9s  %s\n", "from s", "to s", "frames", "fps",
                "late%", "worst ms", "prog ms", "present*", "X ms", "pres+X", "steal%", "stalls/s", "own late%", "span");
}

void printRow(double from, double to, const Tally& t, const std::string& name)
{
    if (t.frames == 0)
        return;
    const double present = t.presentMs / t.frames, server = t.server * 1000 / t.frames;
    const double cores = static_cast<double>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
    const double steal = t.seconds > 0 ? 100 * t.stolen / (t.seconds * cores) : 0;
    std::printf("%-8.2f %-8.2f %6d %6.1f %6.1f %8.1f %8.2f %9.2f %8.2f %9.2f %7.1f %8.2f %9.1f  %s%s\n", from, to,
                t.frames, t.fps(), 100.0 * t.late / t.frames, t.worst * 1000, t.cpu * 1000 / t.frames, present, server,
                present + server, steal, t.seconds > 0 ? t.stalls / t.seconds : 0, 100.0 * t.ownLate / t.frames,
                name.c_str(),
                t.onTarget() ? "" : "  (under 58 fps or over 2 % late)");
}

void printFootnote()
{
    std::printf("fps: frames shown per second; late: shown more than 1/60 s + 2 ms after the one before;\n"
                "prog ms: the program's CPU per frame, all threads; present*: of it, presenting the frame\n"
                "(after its drawing finished); X ms: the display server's CPU per frame; pres+X: the two;\n"
                "steal%%: of the machine's CPU time, what its hypervisor took; stalls/s: times a real-time\n"
                "probe on a CPU woke 5 ms or more late (the machine stalled); own late%%: late frames with\n"
                "no stall in their wait or the one before (the program's, the display server's, others').\n");
}

void noteProbe(const WindowRun& run)
{
    if (!run.stalls.realTime())
        std::printf("(the stall probe had no real-time priority: its stalls include the machine's own load)\n");
}

std::string programPath()
{
    const std::string self = selfPath();
    const size_t slash = self.rfind('/');
    return slash == std::string::npos ? std::string() : self.substr(0, slash) + "/../quenfold";
}

bool runDemo(const std::string& program, const std::vector<std::string>& args, const VirtualDisplay& display,
             const ScriptFile* script)
{
    std::string refused;
    const std::vector<DemoSections::Section> sections = DemoSections::fromScript(script, &refused);
    if (sections.empty()) {
        std::fprintf(stderr, "WindowBench: %s\n",
                     refused.empty() ? "the demo's sections could not be found (no headless GL)" : refused.c_str());
        return false;
    }
    WindowRun run;
    if (!run.run(program, args, display, DemoSections::demoFrames / double(DemoSections::fps))) {
        std::fprintf(stderr, "WindowBench: %s\n", run.error.c_str());
        return false;
    }
    noteProbe(run);
    std::vector<Tally> tallies(sections.size());
    Tally whole;
    size_t k = 0;
    for (size_t i = 1; i < run.frames.size(); ++i) {
        const int frame = static_cast<int>(run.frames[i].demo * DemoSections::fps + 1e-3);
        if (frame >= DemoSections::demoFrames)
            break;
        while (k + 1 < sections.size() && frame >= sections[k + 1].firstFrame)
            ++k;
        tallies[k].add(run, i);
        whole.add(run, i);
    }
    printHeader();
    for (size_t s = 0; s < sections.size(); ++s)
        printRow(sections[s].firstFrame / double(DemoSections::fps),
                 (sections[s].firstFrame + sections[s].frames) / double(DemoSections::fps), tallies[s],
                 sections[s].name);
    printRow(0, DemoSections::demoFrames / double(DemoSections::fps), whole, "whole demo");
    return true;
}

bool runEffects(const std::string& program, const std::vector<std::string>& args, const VirtualDisplay& display,
                const std::vector<std::string>& names, double seconds)
{
    printHeader();
    for (const std::string& name : names) {
        WindowRun run;
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--effect", name});
        if (!run.run(program, all, display, seconds)) {
            std::fprintf(stderr, "WindowBench: %s: %s\n", vell::printableText(name).c_str(), run.error.c_str());
            return false;
        }
        noteProbe(run);
        Tally t;
        for (size_t i = 1; i < run.frames.size(); ++i)
            if (run.frames[i].demo >= kEffectWarmSeconds && run.frames[i].demo < seconds)
                t.add(run, i);
        printRow(kEffectWarmSeconds, seconds, t, name);
    }
    return true;
}

// The machine alone: its stalls over some seconds.
void runMachine(double seconds)
{
    StallProbe probe;
    probe.start();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    probe.stop();
    std::printf("the machine alone for %.0f s: %d stalls of 5 ms or more (%.2f a second), the longest %.1f ms, "
                "%.2f %% of the time stalled%s\n",
                seconds, probe.count(), probe.count() / seconds, probe.longest() * 1000,
                100 * probe.stalledSeconds() / seconds, probe.realTime() ? "" : " (no real-time priority)");
}

} // namespace

int main(int argc, char** argv)
{
    vell::Log::setOutput(stderr); // the table owns standard output
    std::vector<std::string> names;
    double seconds = 10;
    int scale = 0;       // the program's own choice
    std::string present; // the program's own choice
    std::string program = programPath();
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--program") == 0 && i + 1 < argc) {
            program = argv[++i];
        } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
            if (!(seconds > kEffectWarmSeconds + 1 && seconds <= 600)) {
                std::fprintf(stderr, "WindowBench: --seconds needs a number from 3 to 600\n");
                return 1;
            }
        } else if (std::strcmp(argv[i], "--machine") == 0 && i + 1 < argc) {
            const double machine = std::atof(argv[++i]);
            if (!(machine >= 1 && machine <= 3600)) {
                std::fprintf(stderr, "WindowBench: --machine needs a number of seconds from 1 to 3600\n");
                return 1;
            }
            runMachine(machine);
            return 0;
        } else if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
            scriptPath = argv[++i];
        } else if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) {
            if (!ScaleArgument::parse("WindowBench", argv[++i], &scale))
                return 1;
        } else if (std::strcmp(argv[i], "--present") == 0 && i + 1 < argc) {
            present = argv[++i];
            if (present != "gl" && present != "cpu") {
                std::fprintf(stderr, "WindowBench: --present needs gl or cpu\n");
                return 1;
            }
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "usage: WindowBench [--program PATH] [--scale S] [--present gl|cpu] [--script FILE] "
                                 "[--seconds S] [EFFECT...]\n       WindowBench --machine S\n");
            return 1;
        } else {
            names.push_back(argv[i]);
        }
    }
    if (program.empty() || access(program.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "WindowBench: no program at %s (build the target quenfold)\n", program.c_str());
        return 1;
    }
    ScriptFile script; // read before the display starts; checked against the demo with its sections
    std::string error;
    if (!scriptPath.empty() && !names.empty()) {
        std::fprintf(stderr, "WindowBench: --script goes with the demo, not with effects\n");
        return 2;
    }
    if (!scriptPath.empty() && !ScriptFile::load(scriptPath, &script, &error)) {
        std::fprintf(stderr, "WindowBench: %s\n", error.c_str());
        return 2;
    }
    // The window's default size, or room for a larger frame pixel for pixel.
    const int screenScale = std::max(2, scale);
    VirtualDisplay display;
    if (!display.start(480 * screenScale, 320 * screenScale, &error)) {
        std::fprintf(stderr, "WindowBench: %s\n", error.c_str());
        return 1;
    }
    std::vector<std::string> args;
    if (scale > 0)
        args = {"--scale", std::to_string(scale)};
    if (!present.empty())
        args.insert(args.end(), {"--present", present});
    if (!scriptPath.empty())
        args.insert(args.end(), {"--script", scriptPath});
    std::printf("content scale %s, window %dx%d, presenter %s\n",
                scale ? (std::to_string(scale) + "x").c_str() : "the program's", 480 * screenScale, 320 * screenScale,
                present.empty() ? "the program's" : present.c_str());
    printLoad("before");
    const bool ok =
        names.empty() ? runDemo(program, args, display, scriptPath.empty() ? nullptr : &script)
                      : runEffects(program, args, display, names, seconds);
    printLoad("after");
    if (ok)
        printFootnote();
    return ok ? 0 : 1;
}
