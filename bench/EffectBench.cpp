// Every registered effect alone, headless at 480x320 on the software renderer
// (480S x 320S pixels with --scale S first on the line):
// construction time, frames per second (one frame is the clock tick, the clear,
// the effect's draw and glFinish), heap allocations per frame once warm.
// With --cpu it runs itself again under callgrind and prints the instructions
// per frame spent outside the GL driver. Effect names after the options pick
// which effects run (all of them by default).
#include "AllocationCount.h"
#include "CallgrindCost.h"
#include "EffectRun.h"
#include "HeadlessContext.h"
#include "ScaleArgument.h"
#include "framework/Effect.h"
#include "framework/EffectFactory.h"
#include "framework/GLApp.h"
#include "utils/Utils.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int warmFrames = 10;
constexpr int timedFrames = 60;
constexpr int timedRuns = 3;
constexpr int countedFrames = 10;
constexpr double targetFps = 120;
constexpr double instructionsPerMs = 1e6; // a conservative 1 instruction per ns

std::vector<std::string> chosen; // effect names from the command line; empty: all

bool isChosen(const char* name)
{
    return chosen.empty() || std::find(chosen.begin(), chosen.end(), name) != chosen.end();
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void measure()
{
    std::printf("%-16s %9s %9s %9s %12s  %s\n", "effect", "build ms", "fps best", "fps med", "allocs/frame",
                "target 120 fps");
    EffectFactory* factory = EffectFactory::getInstance();
    for (int i = 0; i < factory->getNumEffects(); ++i) {
        const EffectFactory::EffectInfo& info = *factory->getEffectInfo(i);
        if (!isChosen(info.name))
            continue;
        GLApp app;
        double build = 0;
        std::unique_ptr<Effect> effect = EffectRun::start(app, info, &build);
        for (int f = 0; f < warmFrames; ++f)
            EffectRun::frame(app, *effect);
        std::vector<double> fps;
        fps.reserve(timedRuns);
        countAllocations(true);
        const uint64_t allocationsBefore = allocationCount();
        for (int run = 0; run < timedRuns; ++run) {
            const Clock::time_point t0 = Clock::now();
            for (int f = 0; f < timedFrames; ++f)
                EffectRun::frame(app, *effect);
            fps.push_back(timedFrames / seconds(Clock::now() - t0));
        }
        const double allocations =
            static_cast<double>(allocationCount() - allocationsBefore) / (timedFrames * timedRuns);
        countAllocations(false);
        std::sort(fps.begin(), fps.end());
        const bool met = fps.back() >= targetFps;
        std::printf("%-16s %9.1f %9.1f %9.1f %12.2f  %s\n", info.name, build * 1000, fps.back(), fps[fps.size() / 2],
                    allocations, met ? "yes" : "NO");
    }
}

// Under callgrind: one counted window of frames per effect, after its warm-up.
void countUnderCallgrind()
{
    EffectFactory* factory = EffectFactory::getInstance();
    for (int i = 0; i < factory->getNumEffects(); ++i) {
        const EffectFactory::EffectInfo& info = *factory->getEffectInfo(i);
        if (!isChosen(info.name))
            continue;
        GLApp app;
        std::unique_ptr<Effect> effect = EffectRun::start(app, info);
        for (int f = 0; f < 3; ++f)
            EffectRun::frame(app, *effect);
        CallgrindCost::begin();
        for (int f = 0; f < countedFrames; ++f)
            EffectRun::frame(app, *effect);
        CallgrindCost::end(info.name);
    }
}

int printCpu()
{
    const std::string prefix = "/tmp/quenfold-effectbench-" + std::to_string(getpid()) + ".cg";
    std::string arguments = "--scale " + std::to_string(HeadlessContext::scale()) + " --cpu-child";
    for (const std::string& name : chosen)
        arguments += " '" + name + "'";
    if (!CallgrindCost::rerun(arguments.c_str(), prefix))
        return 1;
    std::printf("%-16s %14s %14s %10s  %s\n", "effect", "own instr/f", "driver instr/f", "own ms/f*",
                "budget 0.5 ms");
    for (const CallgrindCost::Window& w : CallgrindCost::read(prefix)) {
        const double own = static_cast<double>(w.own()) / countedFrames;
        const bool met = own / instructionsPerMs <= 0.5;
        std::printf("%-16s %14.0f %14.0f %10.3f  %s\n", w.label.c_str(), own,
                    static_cast<double>(w.driver) / countedFrames, own / instructionsPerMs, met ? "yes" : "NO");
    }
    std::printf("* at %.0f instructions per ms; counts in %s.*\n", instructionsPerMs, prefix.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    vell::Log::setOutput(stderr); // the tables own standard output
    if (!ScaleArgument::take(argc, argv))
        return 1;
    const bool cpu = argc > 1 && std::strcmp(argv[1], "--cpu") == 0;
    const bool child = argc > 1 && std::strcmp(argv[1], "--cpu-child") == 0;
    for (int a = cpu || child ? 2 : 1; a < argc; ++a) {
        if (!EffectFactory::getInstance()->find(argv[a])) {
            std::printf("no effect named %s\n", argv[a]);
            return 1;
        }
        chosen.emplace_back(argv[a]);
    }
    if (cpu)
        return printCpu();
    HeadlessContext context;
    if (!context.isValid()) {
        std::printf("no headless GL: %s\n", context.errorText().c_str());
        return 1;
    }
    if (child) {
        countUnderCallgrind();
        return 0;
    }
    measure();
    return 0;
}
